// The icon's PNG files, which the install puts into the icon theme, at all
// four sizes (this test compiles them in as resources). The window icon and
// the windows' picture are built from pixels compiled into the program from
// the same files, and must show what they show at every display scaling.

#include "windowkit/Pictures.h"

#include "Pixels.h"

#include <QIcon>
#include <QPixmap>
#include <QTest>

class TestProgramIcon : public QObject
{
    Q_OBJECT

private slots:
    void eachSizeLoads_data();
    void eachSizeLoads();
    void windowIconShowsThePictures_data();
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

void TestProgramIcon::windowIconShowsThePictures_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QList<int>>("sizes");  // the window icon's, in device pixels
    QTest::addColumn<int>("side");          // the about box's and exit screen's picture

    QTest::newRow("100 %") << 1.0 << QList<int>{32, 48} << 32;
    QTest::newRow("125 %") << 1.25 << QList<int>{48, 64} << 40;
    QTest::newRow("150 %") << 1.5 << QList<int>{48, 96} << 48;
    QTest::newRow("175 %") << 1.75 << QList<int>{64, 96} << 56;
    QTest::newRow("200 %") << 2.0 << QList<int>{64, 96} << 64;
}

// Each size shows what the PNG file of that size shows, or the large pictures
// scaled down; never a smaller picture enlarged.
void TestProgramIcon::windowIconShowsThePictures()
{
    QFETCH(qreal, ratio);
    QFETCH(QList<int>, sizes);
    QFETCH(int, side);

    const QIcon icon = windowkit::programIcon(ratio);
    QList<int> offered;
    for (const QSize &size : icon.availableSizes())
        offered << size.width();
    QCOMPARE(offered, sizes);
    for (int size : sizes) {
        const QImage shown = icon.pixmap(size).toImage();
        QCOMPARE(shown.size(), QSize(size, size));
        if (size == 32 || size == 48) {
            const QImage file = QPixmap(QStringLiteral(":/icons/quenlory-%1.png").arg(size)).toImage();
            QVERIFY2(shown.convertToFormat(QImage::Format_ARGB32) == file.convertToFormat(QImage::Format_ARGB32),
                     qPrintable(QString::number(size)));
        } else {
            QVERIFY2(meanDifference(shown, sharpIcon(size)) < 3, qPrintable(QString::number(size)));
        }
    }

    const QPixmap picture = windowkit::programPicture(ratio);
    QCOMPARE(picture.size(), QSize(side, side));
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(32, 32));
    const double fromLarge = meanDifference(picture.toImage(), sharpIcon(side));
    QVERIFY2(fromLarge < 6, qPrintable(QString::number(fromLarge)));
    if (side > 32) {
        // The 32-pixel picture enlarged, for comparison: visibly further off.
        const QImage enlarged = QImage(QStringLiteral(":/icons/quenlory-32.png"))
                                    .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double fromSmall = meanDifference(enlarged, sharpIcon(side));
        QVERIFY2(fromSmall > 2 * fromLarge, qPrintable(QStringLiteral("%1 against %2").arg(fromSmall).arg(fromLarge)));
    }
}

QTEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
