// Page addresses, the opener and the window kit's wiring of menu items and
// banner labels, on a small window that carries the same objectNames as the
// real ones.

#include "FakeDesktop.h"

#include "aboutbox/FrmAbout.h"
#include "windowkit/Banners.h"
#include "windowkit/Links.h"
#include "windowkit/Site.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <memory>

using windowkit::BottomBanner;

Q_DECLARE_METATYPE(windowkit::BottomBanner)

namespace {

struct LinkWindow
{
    std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
    QLabel *label61 = nullptr;
    QLabel *coBrand = nullptr;
    QLabel *fullBrand = nullptr;

    LinkWindow()
    {
        window->setObjectName(QStringLiteral("frmMain"));
        auto *central = new QWidget(window.get());
        window->setCentralWidget(central);
        auto *top = new QFrame(central);
        top->setObjectName(QStringLiteral("Frame2"));
        top->setGeometry(0, 0, 400, 41);
        label61 = label(top, "Label61", QRect(8, 9, 380, 30));
        auto *bottom = new QFrame(central);
        bottom->setObjectName(QStringLiteral("Frame5"));
        bottom->setGeometry(0, 100, 400, 57);
        coBrand = label(bottom, "lblCobrand", QRect(8, 11, 383, 41));
        fullBrand = label(bottom, "lblFullBrand", QRect(8, 11, 383, 41));

        QMenuBar *bar = window->menuBar();
        QMenu *file = bar->addMenu(QStringLiteral("&File"));
        file->setObjectName(QStringLiteral("mnuFile"));
        action(file, "mnuExit", "E&xit");
        QMenu *help = bar->addMenu(QStringLiteral("&Help"));
        help->setObjectName(QStringLiteral("mnuHelp"));
        action(help, "mnuOnline", "&Online Help");
        action(help, "mnuVisit", "&Visit Us Online");
        help->addSeparator()->setObjectName(QStringLiteral("mnuHelp1"));
        action(help, "mnuUpdate", "Check for Software &Update");
        help->addSeparator()->setObjectName(QStringLiteral("mnuHelp2"));
        action(help, "mnuAbout", "&About Software");
        action(bar, "mnuDonate", "&Donate");
        action(bar, "mnuMakeMoneyOnline", "Make Money &Online")->setVisible(false);
        window->resize(400, 200);
    }

    static QLabel *label(QWidget *parent, const char *name, const QRect &rect)
    {
        auto *l = new QLabel(QString::fromLatin1(name), parent);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(rect);
        l->setAutoFillBackground(true);
        return l;
    }

    QAction *action(QWidget *menu, const char *name, const char *caption)
    {
        auto *a = new QAction(QString::fromLatin1(caption), window.get());
        a->setObjectName(QString::fromLatin1(name));
        menu->addAction(a);
        return a;
    }

    QAction *find(const QString &name) const { return window->findChild<QAction *>(name); }

    void wireBanners(FakeDesktop &desktop) { windowkit::setUpBanners(label61, coBrand, fullBrand, desktop); }
};

// The label that a click at the centre of the bottom banners' rectangle hits.
QWidget *bannerOnTop(const LinkWindow &w)
{
    QWidget *strip = w.coBrand->parentWidget();
    return strip->childAt(w.coBrand->geometry().center());
}

} // namespace

class TestSiteLinks : public QObject
{
    Q_OBJECT

private slots:
    void pageAddress_data();
    void pageAddress();
    void programPageAddressIsTheFolder();
    void openerHandsTheAddressOverOnce();
    void menuItemOpensItsPage_data();
    void menuItemOpensItsPage();
    void bannerClickOpensItsPage_data();
    void bannerClickOpensItsPage();
    void bannerIgnoresWhatIsNoClick_data();
    void bannerIgnoresWhatIsNoClick();
    void bannersShowThePointingHand();
    void openingShowsNothingAndChangesNothing();
    void aboutBoxIsFreshAndModalEachTime();
    void bringBannerToFront_data();
    void bringBannerToFront();
};

void TestSiteLinks::pageAddress_data()
{
    QTest::addColumn<QString>("key");
    for (const char *key : {"home-page", "help-web-page", "download-web-page", "donate",
                            "co-brand", "fully-branded", "talvanesoftwares",
                            "qrzx-refer-a-friend"})
        QTest::newRow(key) << QString::fromLatin1(key);
}

void TestSiteLinks::pageAddress()
{
    QFETCH(QString, key);
    const QString address = windowkit::pageAddress(key);
    QCOMPARE(address, windowkit::siteBaseAddress() + u'/' + windowkit::siteFolder()
                          + QStringLiteral("/ssd.php?page=") + key);

    const QUrl url(address, QUrl::StrictMode);
    QVERIFY2(url.isValid(), qPrintable(url.errorString()));
    QVERIFY(url.scheme() == QStringLiteral("https") || url.scheme() == QStringLiteral("http"));
    QCOMPARE(url.path(), u'/' + windowkit::siteFolder() + QStringLiteral("/ssd.php"));
    QCOMPARE(url.query(QUrl::FullyEncoded), QStringLiteral("page=") + key);
    QVERIFY(!url.hasFragment());
}

void TestSiteLinks::programPageAddressIsTheFolder()
{
    const QString address = windowkit::programPageAddress();
    QVERIFY(address.endsWith(u'/' + windowkit::siteFolder() + u'/'));
    QVERIFY(windowkit::pageAddress(QStringLiteral("donate")).startsWith(address));
    const QUrl url(address, QUrl::StrictMode);
    QVERIFY(url.isValid());
    QVERIFY(!url.hasQuery());
    QVERIFY(!windowkit::siteDisplayAddress().contains(QStringLiteral("://")));
    QVERIFY(windowkit::siteBaseAddress().endsWith(windowkit::siteDisplayAddress()));
}

void TestSiteLinks::openerHandsTheAddressOverOnce()
{
    FakeDesktop desktop;
    windowkit::OpenSiteLink(desktop, QStringLiteral("donate"));
    windowkit::OpenSiteLink(desktop, QStringLiteral("donate"));
    QCOMPARE(desktop.openedUrls,
             QStringList(2, windowkit::pageAddress(QStringLiteral("donate"))));
    QVERIFY(desktop.messages.empty());
}

void TestSiteLinks::menuItemOpensItsPage_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    QTest::newRow("online help") << "mnuOnline" << "help-web-page";
    QTest::newRow("visit us online") << "mnuVisit" << "home-page";
    QTest::newRow("software update") << "mnuUpdate" << "download-web-page";
    QTest::newRow("donate") << "mnuDonate" << "donate";
    QTest::newRow("make money online") << "mnuMakeMoneyOnline" << "fully-branded";
}

void TestSiteLinks::menuItemOpensItsPage()
{
    QFETCH(QString, item);
    QFETCH(QString, key);
    FakeDesktop desktop;
    LinkWindow w;
    QAction *action = w.find(item);
    QVERIFY(action);
    windowkit::connectPage(action, desktop, key);
    action->trigger();
    QCOMPARE(desktop.openedUrls, QStringList{windowkit::pageAddress(key)});
    action->trigger();
    QCOMPARE(desktop.openedUrls, QStringList(2, windowkit::pageAddress(key)));
    QCOMPARE(desktop.events.count(QStringLiteral("modal")), 0);
}

void TestSiteLinks::bannerClickOpensItsPage_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("key");
    QTest::newRow("forum strip") << "Label61" << "home-page";
    QTest::newRow("co-brand") << "lblCobrand" << "co-brand";
    QTest::newRow("fully branded") << "lblFullBrand" << "fully-branded";
}

void TestSiteLinks::bannerClickOpensItsPage()
{
    QFETCH(QString, label);
    QFETCH(QString, key);
    FakeDesktop desktop;
    LinkWindow w;
    w.wireBanners(desktop);
    auto *target = w.window->findChild<QLabel *>(label);
    QVERIFY(target);
    target->raise();
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));

    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(desktop.openedUrls, QStringList{windowkit::pageAddress(key)});
    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(desktop.openedUrls, QStringList(2, windowkit::pageAddress(key)));
}

void TestSiteLinks::bannerIgnoresWhatIsNoClick_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("releaseOutside");
    QTest::newRow("right button") << Qt::RightButton << false;
    QTest::newRow("middle button") << Qt::MiddleButton << false;
    QTest::newRow("left dragged off the label") << Qt::LeftButton << true;
}

void TestSiteLinks::bannerIgnoresWhatIsNoClick()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, releaseOutside);
    FakeDesktop desktop;
    LinkWindow w;
    w.wireBanners(desktop);
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));

    QTest::mousePress(w.label61, button, {}, QPoint(5, 5));
    const QPoint release = releaseOutside ? QPoint(-20, -20) : QPoint(5, 5);
    QTest::mouseRelease(w.label61, button, {}, release);
    QVERIFY(desktop.openedUrls.isEmpty());
    // the next proper click still counts once
    QTest::mouseClick(w.label61, Qt::LeftButton);
    QCOMPARE(desktop.openedUrls.size(), 1);
}

void TestSiteLinks::bannersShowThePointingHand()
{
    FakeDesktop desktop;
    LinkWindow w;
    QCOMPARE(w.label61->cursor().shape(), Qt::ArrowCursor);
    w.wireBanners(desktop);
    for (QLabel *label : {w.label61, w.coBrand, w.fullBrand})
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
}

void TestSiteLinks::openingShowsNothingAndChangesNothing()
{
    // The opener learns nothing of the browser's fate, so a page that fails
    // to open looks to the window exactly like one that opened.
    FakeDesktop desktop;
    LinkWindow w;
    w.wireBanners(desktop);
    w.fullBrand->raise();
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QWidget *onTop = bannerOnTop(w);
    QCOMPARE(onTop, w.fullBrand);

    for (const char *name : {"mnuOnline", "mnuVisit", "mnuUpdate", "mnuDonate"}) {
        QAction *item = w.find(QString::fromLatin1(name));
        windowkit::connectPage(item, desktop, windowkit::kHelpPage);
        item->trigger();
    }
    QTest::mouseClick(w.fullBrand, Qt::LeftButton);
    QTest::mouseClick(w.label61, Qt::LeftButton);

    QCOMPARE(desktop.openedUrls.size(), 6);
    QVERIFY(desktop.messages.empty());
    QVERIFY(w.window->isVisible());
    QCOMPARE(bannerOnTop(w), onTop);
    QCOMPARE(desktop.events.count(QStringLiteral("modal")), 0);
}

void TestSiteLinks::aboutBoxIsFreshAndModalEachTime()
{
    FakeDesktop desktop;
    QList<QPointer<QDialog>> seen;
    QList<QWidget *> parents;
    desktop.onModal = [&](QDialog &dialog) {
        seen << QPointer<QDialog>(&dialog);
        parents << dialog.parentWidget();
        return int(QDialog::Accepted);
    };
    aboutbox::openAboutBox(desktop);
    aboutbox::openAboutBox(desktop);

    QCOMPARE(desktop.events, QStringList(2, QStringLiteral("modal")));
    QCOMPARE(seen.size(), 2);
    // each opening's box is gone once it has closed
    QVERIFY(seen[0].isNull());
    QVERIFY(seen[1].isNull());
    QCOMPARE(parents, (QList<QWidget *>{nullptr, nullptr}));
    QVERIFY(desktop.openedUrls.isEmpty());
}

void TestSiteLinks::bringBannerToFront_data()
{
    QTest::addColumn<bool>("fullBrandFirst");
    QTest::addColumn<BottomBanner>("which");
    QTest::addColumn<QString>("expected");
    QTest::newRow("co-brand over full brand")
        << true << BottomBanner::CoBrand << "lblCobrand";
    QTest::newRow("co-brand already on top")
        << false << BottomBanner::CoBrand << "lblCobrand";
    QTest::newRow("full brand over co-brand")
        << false << BottomBanner::FullBrand << "lblFullBrand";
    QTest::newRow("full brand already on top")
        << true << BottomBanner::FullBrand << "lblFullBrand";
}

void TestSiteLinks::bringBannerToFront()
{
    QFETCH(bool, fullBrandFirst);
    QFETCH(BottomBanner, which);
    QFETCH(QString, expected);
    FakeDesktop desktop;
    LinkWindow w;
    w.wireBanners(desktop);
    (fullBrandFirst ? w.fullBrand : w.coBrand)->raise();
    windowkit::bringBannerToFront(w.coBrand, w.fullBrand, which);
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QCOMPARE(bannerOnTop(w)->objectName(), expected);

    // the click lands on the banner on top, never on the hidden one
    QTest::mouseClick(bannerOnTop(w), Qt::LeftButton);
    const QString key = expected == QStringLiteral("lblCobrand") ? QStringLiteral("co-brand")
                                                                 : QStringLiteral("fully-branded");
    QCOMPARE(desktop.openedUrls, QStringList{windowkit::pageAddress(key)});
}

QTEST_MAIN(TestSiteLinks)
#include "tst_sitelinks.moc"
