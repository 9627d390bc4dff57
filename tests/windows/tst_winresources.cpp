// What Explorer and the taskbar read from quenlory.exe itself: the icon group
// Qt's window class also uses, at the four sizes Windows asks for, and the
// version block of the file's properties.

#include <QtTest>

#include <windows.h>

#include <set>

namespace {

const wchar_t *programPath()
{
    static const std::wstring path = QStringLiteral(QUENLORY_EXE).toStdWString();
    return path.c_str();
}

#pragma pack(push, 2)
struct IconDirEntry
{
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct IconDir
{
    WORD reserved;
    WORD type;
    WORD count;
    IconDirEntry entries[1];
};
#pragma pack(pop)

} // namespace

class TestWinResources : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void iconGroupSizes();
    void explorerFindsTheIcon();
    void versionBlock_data();
    void versionBlock();

private:
    HMODULE m_module = nullptr;
};

void TestWinResources::init()
{
    m_module = LoadLibraryExW(programPath(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    QVERIFY2(m_module, QUENLORY_EXE);
}

void TestWinResources::cleanup()
{
    if (m_module)
        FreeLibrary(m_module);
}

void TestWinResources::iconGroupSizes()
{
    HRSRC info = FindResourceW(m_module, L"IDI_ICON1", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    QVERIFY(info);
    const auto *dir = static_cast<const IconDir *>(LockResource(LoadResource(m_module, info)));
    QVERIFY(dir);
    QCOMPARE(dir->type, WORD(1));
    std::set<int> sizes;
    for (int i = 0; i < dir->count; ++i) {
        const IconDirEntry &entry = dir->entries[i];
        QCOMPARE(entry.width, entry.height);
        QCOMPARE(entry.bitCount, WORD(32));
        sizes.insert(entry.width == 0 ? 256 : entry.width);
        // Each image of the group is there as an icon resource of its own.
        QVERIFY(FindResourceW(m_module, MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3) /* RT_ICON */));
    }
    QCOMPARE(sizes, (std::set<int>{16, 32, 48, 256}));
}

void TestWinResources::explorerFindsTheIcon()
{
    HICON large = nullptr;
    HICON small = nullptr;
    QCOMPARE(ExtractIconExW(programPath(), 0, &large, &small, 1), UINT(2));
    for (HICON icon : {large, small}) {
        ICONINFO info{};
        QVERIFY(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        QVERIFY(GetObjectW(info.hbmColor, sizeof bitmap, &bitmap));
        QCOMPARE(bitmap.bmWidth, GetSystemMetrics(icon == large ? SM_CXICON : SM_CXSMICON));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

void TestWinResources::versionBlock_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("product") << QStringLiteral("ProductName") << QStringLiteral("Quenlory");
    QTest::newRow("description") << QStringLiteral("FileDescription") << QStringLiteral("Quenlory");
    QTest::newRow("version") << QStringLiteral("ProductVersion") << QStringLiteral(QUENLORY_VERSION);
    QTest::newRow("file name") << QStringLiteral("OriginalFilename") << QStringLiteral("quenlory.exe");
}

void TestWinResources::versionBlock()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    const DWORD size = GetFileVersionInfoSizeW(programPath(), nullptr);
    QVERIFY(size > 0);
    QByteArray block(int(size), '\0');
    QVERIFY(GetFileVersionInfoW(programPath(), 0, size, block.data()));
    const std::wstring path = QString(QStringLiteral("\\StringFileInfo\\040904B0\\") + name).toStdWString();
    wchar_t *text = nullptr;
    UINT length = 0;
    QVERIFY(VerQueryValueW(block.constData(), path.c_str(), reinterpret_cast<void **>(&text), &length));
    QCOMPARE(QString::fromWCharArray(text, int(length) - 1), value);

    VS_FIXEDFILEINFO *fixed = nullptr;
    QVERIFY(VerQueryValueW(block.constData(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    const QStringList parts = QStringLiteral(QUENLORY_VERSION).split(u'.');
    QCOMPARE(HIWORD(fixed->dwProductVersionMS), WORD(parts.at(0).toUInt()));
    QCOMPARE(LOWORD(fixed->dwProductVersionMS), WORD(parts.at(1).toUInt()));
}

QTEST_GUILESS_MAIN(TestWinResources)
#include "tst_winresources.moc"
