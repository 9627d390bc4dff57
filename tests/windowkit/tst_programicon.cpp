// The icon's PNG files, which the install puts into the icon theme, at all
// four sizes (this test compiles them in as resources). The window icon is
// built from pixels compiled into the program from the same files, and must
// show exactly what they show.

#include "windowkit/Pictures.h"

#include <QIcon>
#include <QPixmap>
#include <QTest>

class TestProgramIcon : public QObject
{
    Q_OBJECT

private slots:
    void eachSizeLoads_data();
    void eachSizeLoads();
    void iconOffersEverySize();
    void windowIconShowsThePictures();
};

void TestProgramIcon::eachSizeLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::newRow("32") << QStringLiteral(":/icons/quenlory-32.png") << 32;
    QTest::newRow("48") << QStringLiteral(":/icons/quenlory-48.png") << 48;
    QTest::newRow("128") << QStringLiteral(":/icons/quenlory-128.png") << 128;
    QTest::newRow("256") << QStringLiteral(":/icons/quenlory-256.png") << 256;
}

void TestProgramIcon::eachSizeLoads()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    const QPixmap picture(path);
    QVERIFY2(!picture.isNull(), qPrintable(path));
    QCOMPARE(picture.size(), QSize(size, size));
    // The corners are transparent, the middle is painted.
    const QImage image = picture.toImage();
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QVERIFY(qAlpha(image.pixel(size / 2, size / 2)) > 0);
}

void TestProgramIcon::iconOffersEverySize()
{
    QIcon icon;
    for (int size : {32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quenlory-%1.png").arg(size));
    QCOMPARE(icon.availableSizes().size(), 4);
    QCOMPARE(icon.pixmap(48).size(), QSize(48, 48));
}

void TestProgramIcon::windowIconShowsThePictures()
{
    const QIcon icon = windowkit::programIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(48, 48)}));
    for (int size : {32, 48}) {
        const QImage shown = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage drawn = QPixmap(QStringLiteral(":/icons/quenlory-%1.png").arg(size))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown.size(), QSize(size, size));
        QVERIFY2(shown == drawn, qPrintable(QString::number(size)));
    }
}

QTEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
