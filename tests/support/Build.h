#pragma once

// What the build gives the program, as the tests expect to see it.

#include <QString>

// The caption every window shows, typed out as users see it rather than made
// from the build's version, so that a wrong version in the build fails every
// caption check. A new version changes it here.
inline QString programCaption()
{
    return QStringLiteral("Quenlory v1.25");
}

// The maker's site as configured for this build.
inline QString siteBase()
{
    return QStringLiteral(QUENLORY_SITE_BASE);
}

// The program's folder on that site.
inline QString siteFolder()
{
    return QStringLiteral(QUENLORY_SITE_FOLDER);
}

// A page of that site, as the browser is sent to it.
inline QString sitePage(const QString &key)
{
    return siteBase() + u'/' + siteFolder() + QStringLiteral("/ssd.php?page=") + key;
}
