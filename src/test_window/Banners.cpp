#include "test_window/Banners.h"

#include "links/SiteLinks.h"
#include "test_window/Appearance.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPalette>

namespace test_window {

QString forumAdvert()
{
    return QStringLiteral("Talk about brothers, sisters and the stars in the Talvane discussion forum. "
                          "Visit the forum at ")
           + links::siteDisplayAddress();
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

void dressBanners(QLabel *forum, QLabel *coBrand, QLabel *fullBrand)
{
    forum->setText(forumAdvert());
    paintText(forum, Qt::black);
    coBrand->setText(coBrandOffer());
    fullBrand->setText(fullBrandOffer());
    // Opaque, so that the upper of the two hides the lower completely.
    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    for (QLabel *offer : {coBrand, fullBrand})
        paint(offer, buttonFace, links::kLinkBlue);
}

} // namespace test_window
