#pragma once

// What the build gives the program, as the tests expect to see it.

#include <QString>

// "Quenlory v<version>", the version from the project's own declaration.
inline QString programCaption()
{
    return QStringLiteral("Quenlory v" QUENLORY_VERSION);
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
