#include "platform/Fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("Verdana"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans"),
                                QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial")});
}

} // namespace platform
