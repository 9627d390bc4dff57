#include "app/SettingCodec.h"

namespace app {

namespace {

QString shifted(const QString &text, int offset)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const int code = c.unicode();
        if (code > 0xFF)
            continue;
        const int moved = code + offset;
        if (moved >= 0 && moved <= 0xFF)
            result.append(QChar(moved));
    }
    return result;
}

} // namespace

QString EncodeSetting(const QString &text)
{
    return shifted(text, 85);
}

QString DecodeSetting(const QString &text)
{
    return shifted(text, -85);
}

} // namespace app
