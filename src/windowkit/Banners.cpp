#include "windowkit/Banners.h"

#include "windowkit/Links.h"
#include "windowkit/Look.h"
#include "windowkit/Site.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPalette>

namespace windowkit {

namespace {

QString forumAdvert()
{
    return QStringLiteral("Talk about brothers, sisters and the stars in the Talvane discussion forum. "
                          "Visit the forum at ")
           + siteDisplayAddress();
}

QString coBrandOffer()
{
    // Designed with a doubled ampersand; a QLabel shows text literally, so one
    // ampersand is stored.
    return QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your "
                          "site. Put your site's name &  link here. See \"Help\" for details.Click Here "
                          "for more info on co-branding.");
}

QString fullBrandOffer()
{
    return QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                          "online. Get this software fully branded for your website. Click here for "
                          "more details.");
}

} // namespace

void setUpBanners(QLabel *forum, QLabel *coBrand, QLabel *fullBrand, platform::Desktop &desktop)
{
    forum->setText(forumAdvert());
    setSeeThroughText(forum, Qt::black);
    coBrand->setText(coBrandOffer());
    fullBrand->setText(fullBrandOffer());
    // Opaque, so that the upper of the two hides the lower completely.
    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    for (QLabel *offer : {coBrand, fullBrand})
        setColours(offer, buttonFace, kLinkBlue);

    makePageLink(forum, desktop, kHomePage);
    makePageLink(coBrand, desktop, kCoBrandPage);
    makePageLink(fullBrand, desktop, kFullyBrandedPage);
}

void bringBannerToFront(QLabel *coBrand, QLabel *fullBrand, BottomBanner which)
{
    (which == BottomBanner::CoBrand ? coBrand : fullBrand)->raise();
}

} // namespace windowkit
