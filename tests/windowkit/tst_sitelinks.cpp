// The addresses of the maker's pages and the opener that hands them to the
// desktop. The menus and banners that open them are tested on the real
// windows (tests/app/tst_windowlinks.cpp).

#include "Build.h"
#include "FakeDesktop.h"

#include "windowkit/Site.h"

#include <QTest>
#include <QUrl>

namespace {

// The address before the key, typed out: for the default site here, for the
// second site by the build that compiles this test with it (a build
// configured for yet another site has no such text: empty).
QString expectedPrefix()
{
#ifdef QUENLORY_EXPECTED_PAGE
    return QStringLiteral(QUENLORY_EXPECTED_PAGE);
#else
    if (siteBase() != QLatin1String("https://www.talvane.example") || siteFolder() != QLatin1String("quenlory"))
        return QString();
    return QStringLiteral("https://www.talvane.example/quenlory/ssd.php?page=");
#endif
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
};

void TestSiteLinks::pageAddress_data()
{
    QTest::addColumn<QString>("key");
    for (const char *key : {"home-page", "help-web-page", "download-web-page", "donate",
                            "co-brand", "fully-branded", "talvanesoftwares",
                            "qrzx-refer-a-friend"})
        QTest::newRow(key) << QString::fromLatin1(key);
}

// Read back as a web address: the configured site, the program's folder's
// "ssd.php", and the key as the one query item, nothing escaped or added.
void TestSiteLinks::pageAddress()
{
    QFETCH(QString, key);
    const QString address = windowkit::pageAddress(key);
    const QUrl url(address, QUrl::StrictMode);
    const QUrl site(siteBase(), QUrl::StrictMode);
    QVERIFY2(url.isValid(), qPrintable(url.errorString()));
    QCOMPARE(url.scheme(), site.scheme());
    QCOMPARE(url.authority(), site.authority());
    QCOMPARE(url.path(), site.path() + u'/' + siteFolder() + QStringLiteral("/ssd.php"));
    QCOMPARE(url.query(QUrl::FullyEncoded), QStringLiteral("page=") + key);
    QVERIFY(!url.hasFragment());
    QCOMPARE(url.toString(QUrl::FullyEncoded), address);
    if (!expectedPrefix().isEmpty())
        QCOMPARE(address, expectedPrefix() + key);
}

void TestSiteLinks::programPageAddressIsTheFolder()
{
    const QString address = windowkit::programPageAddress();
    if (!expectedPrefix().isEmpty())
        QCOMPARE(address + QStringLiteral("ssd.php?page="), expectedPrefix());
    QVERIFY(address.endsWith(u'/' + siteFolder() + u'/'));
    QVERIFY(windowkit::pageAddress(QStringLiteral("donate")).startsWith(address));
    const QUrl url(address, QUrl::StrictMode);
    QVERIFY(url.isValid());
    QVERIFY(!url.hasQuery());
    QVERIFY(!windowkit::siteDisplayAddress().contains(QStringLiteral("://")));
    QVERIFY(siteBase().endsWith(windowkit::siteDisplayAddress()));
}

void TestSiteLinks::openerHandsTheAddressOverOnce()
{
    FakeDesktop desktop;
    windowkit::OpenSiteLink(desktop, QStringLiteral("donate"));
    windowkit::OpenSiteLink(desktop, QStringLiteral("donate"));
    QCOMPARE(desktop.openedUrls, QStringList(2, windowkit::pageAddress(QStringLiteral("donate"))));
    QVERIFY(desktop.messages.empty());
}

QTEST_MAIN(TestSiteLinks)
#include "tst_sitelinks.moc"
