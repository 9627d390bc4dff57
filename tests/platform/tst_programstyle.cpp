// The program's style draws what Qt's Fusion style draws, without decoding a
// picture file while the main window is built and painted: the first such
// decoding loads every image-format plugin.

#include "platform/Pictures.h"
#include "platform/Style.h"
#include "mainwindow/FrmMain.h"

#include "FakeDesktop.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QMenuBar>
#include <QStyleFactory>
#include <QtTest>

using mainwindow::FrmMain;

namespace {

QStringList loadedImagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(no /proc/self/maps)")};
    QStringList plugins;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/"))
            plugins << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
    }
    plugins.removeDuplicates();
    return plugins;
}

QImage rendered(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

} // namespace

class TestProgramStyle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // Runs first: any picture decoded before it would load the plugins.
    void mainWindowDecodesNoPicture();
    void groupBoxFramesAsFusion_data();
    void groupBoxFramesAsFusion();
    void overflowArrowAsFusion();

private:
    QStyle *m_fusion = nullptr;
};

void TestProgramStyle::initTestCase()
{
    if (!QFile::exists(QStringLiteral("/proc/self/maps")))
        QSKIP("needs /proc to see the loaded libraries");
    QApplication::setStyle(new platform::ProgramStyle);
    m_fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    m_fusion->setParent(this);
}

void TestProgramStyle::mainWindowDecodesNoPicture()
{
    QCOMPARE(loadedImagePlugins(), QStringList());
    QApplication::setWindowIcon(platform::programIcon());
    FakeDesktop desktop;
    FrmMain window(desktop);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.grab().isNull());
    QCOMPARE(loadedImagePlugins(), QStringList());
}

void TestProgramStyle::groupBoxFramesAsFusion_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("points");

    QTest::newRow("untitled strip") << QString() << false << QSize(492, 41) << 8.25;
    QTest::newRow("titled frame") << QStringLiteral("Enter Your Details") << false << QSize(401, 97) << 8.25;
    QTest::newRow("titled, larger type") << QStringLiteral("Sibling Compatibility") << false << QSize(492, 297)
                                         << 14.0;
    QTest::newRow("untitled, checkable") << QString() << true << QSize(200, 60) << 8.25;
    QTest::newRow("smaller than the picture") << QStringLiteral("x") << false << QSize(20, 12) << 8.25;
}

void TestProgramStyle::groupBoxFramesAsFusion()
{
    QFETCH(QString, title);
    QFETCH(bool, checkable);
    QFETCH(QSize, size);
    QFETCH(double, points);

    QImage pictures[2];
    for (int i = 0; i < 2; ++i) {
        QGroupBox box(title);
        if (i == 1)
            box.setStyle(m_fusion);
        QFont font(QStringLiteral("Verdana"));
        font.setPointSizeF(points);
        box.setFont(font);
        box.setCheckable(checkable);
        box.resize(size);
        pictures[i] = rendered(box);
    }
    QVERIFY(pictures[0] == pictures[1]);
}

void TestProgramStyle::overflowArrowAsFusion()
{
    // The menu bar holds the arrow from the start; it is read when drawn.
    QMenuBar bar;
    const QIcon arrow = bar.style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QVERIFY(!arrow.isNull());
    const QIcon fusion = m_fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QCOMPARE(arrow.pixmap(16).toImage(), fusion.pixmap(16).toImage());
    QCOMPARE(arrow.availableSizes(), fusion.availableSizes());
}

QTEST_MAIN(TestProgramStyle)
#include "tst_programstyle.moc"
