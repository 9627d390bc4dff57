#include "app/Startup.h"

#include "FakeDesktop.h"

#include <QFrame>
#include <QLabel>
#include <QtTest>

#include <cmath>

namespace {

// The two bottom banners share one rectangle of their frame, as in the main
// window.
struct BannerWindow {
    QWidget window;
    QFrame *frame = new QFrame(&window);
    QLabel *coBrand = new QLabel(QStringLiteral("co-brand"), frame);
    QLabel *fullBrand = new QLabel(QStringLiteral("fully branded"), frame);

    BannerWindow()
    {
        frame->setObjectName(QStringLiteral("Frame5"));
        coBrand->setObjectName(QStringLiteral("lblCobrand"));
        fullBrand->setObjectName(QStringLiteral("lblFullBrand"));
        frame->setGeometry(0, 0, 300, 40);
        coBrand->setGeometry(0, 0, 300, 40);
        fullBrand->setGeometry(0, 0, 300, 40);
    }

    QString onTop() const
    {
        QWidget *top = frame->childAt(150, 20);
        return top ? top->objectName() : QString();
    }
};

} // namespace

class TestStartupBanner : public QObject
{
    Q_OBJECT

private slots:
    void draw_data();
    void draw();
    void withoutWindow();
    void bothBannersComeUp();
};

void TestStartupBanner::draw_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("front");

    const QString coBrand = QStringLiteral("lblCobrand");
    const QString fullBrand = QStringLiteral("lblFullBrand");
    QTest::newRow("0") << 0.0 << 1 << coBrand;
    QTest::newRow("just below 1/6") << std::nextafter(1.0 / 6, 0.0) << 1 << coBrand;
    QTest::newRow("0.25") << 0.25 << 2 << fullBrand;
    QTest::newRow("0.4") << 0.4 << 3 << coBrand;
    QTest::newRow("0.5") << 0.5 << 4 << fullBrand;
    QTest::newRow("0.7") << 0.7 << 5 << coBrand;
    QTest::newRow("5/6") << 5.0 / 6 << 6 << fullBrand;
    QTest::newRow("just below 1") << std::nextafter(1.0, 0.0) << 6 << fullBrand;
    QTest::newRow("largest 32-bit draw") << 4294967295.0 / 4294967296.0 << 6 << fullBrand;
    QTest::newRow("faulty draw of 1") << 1.0 << 6 << fullBrand;
    QTest::newRow("faulty negative draw") << -0.5 << 1 << coBrand;
    QTest::newRow("faulty draw, not a number") << std::nan("") << 1 << coBrand;
}

void TestStartupBanner::draw()
{
    QFETCH(double, r);
    QFETCH(int, number);
    QFETCH(QString, front);

    // Whichever banner lay on top before, the draw decides.
    for (bool coBrandFirst : {true, false}) {
        BannerWindow banners;
        (coBrandFirst ? banners.coBrand : banners.fullBrand)->raise();
        FakeDesktop desktop;
        desktop.draws = {r};
        QCOMPARE(app::CoBrand_Randomize(desktop, &banners.window), number);
        QCOMPARE(banners.onTop(), front);
        QVERIFY(desktop.draws.empty());
    }
}

void TestStartupBanner::withoutWindow()
{
    FakeDesktop desktop;
    desktop.draws = {0.6};
    QCOMPARE(app::CoBrand_Randomize(desktop, nullptr), 4);

    QWidget bare;
    desktop.draws = {0.1};
    QCOMPARE(app::CoBrand_Randomize(desktop, &bare), 1);
}

void TestStartupBanner::bothBannersComeUp()
{
    BannerWindow banners;
    FakeDesktop desktop;
    QMap<QString, int> fronts;
    for (int i = 0; i < 600; ++i) {
        desktop.draws = {i / 600.0};
        const int number = app::CoBrand_Randomize(desktop, &banners.window);
        QVERIFY(number >= 1 && number <= 6);
        ++fronts[banners.onTop()];
    }
    QCOMPARE(fronts.value(QStringLiteral("lblCobrand")), 300);
    QCOMPARE(fronts.value(QStringLiteral("lblFullBrand")), 300);
}

QTEST_MAIN(TestStartupBanner)
#include "tst_startup_banner.moc"
