#include "windowkit/Site.h"

#include "platform/Desktop.h"

namespace windowkit {

QString siteBaseAddress()
{
    return QStringLiteral(QUENLORY_SITE_BASE);
}

QString siteFolder()
{
    return QStringLiteral(QUENLORY_SITE_FOLDER);
}

QString siteDisplayAddress()
{
    QString address = siteBaseAddress();
    for (const char *scheme : {"https://", "http://"}) {
        if (address.startsWith(QLatin1String(scheme), Qt::CaseInsensitive))
            return address.mid(int(qstrlen(scheme)));
    }
    return address;
}

QString pageAddress(const QString &key)
{
    return siteBaseAddress() + u'/' + siteFolder() + QStringLiteral("/ssd.php?page=") + key;
}

QString programPageAddress()
{
    return siteBaseAddress() + u'/' + siteFolder() + u'/';
}

void OpenSiteLink(platform::Desktop &desktop, const QString &key)
{
    desktop.openUrl(pageAddress(key));
}

} // namespace windowkit
