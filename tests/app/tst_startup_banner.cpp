#include "app/Startup.h"
#include "mainwindow/FrmMain.h"

#include "Controls.h"
#include "FakeDesktop.h"

#include <QLabel>
#include <QtTest>

#include <cmath>

namespace {

// The main window, whose two bottom banners share one rectangle of their frame.
struct BannerWindow {
    FakeDesktop windowDesktop;
    mainwindow::FrmMain window{windowDesktop};
    QLabel *coBrand = findControl<QLabel>(&window, "lblCobrand");
    QLabel *fullBrand = findControl<QLabel>(&window, "lblFullBrand");

    QString onTop() const
    {
        QWidget *top = coBrand->parentWidget()->childAt(coBrand->geometry().center());
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
    QVERIFY(desktop.draws.empty());
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
