#pragma once

// The character shift that hides the reminder entry's key name and value in
// the settings store. Each character moves 85 places in the single-byte code
// page: Latin-1 here, so the code is the character's own code point.

#include <QString>

namespace app {

// +85 on each code; a character that would leave 0..255, or that has no
// single-byte code at all, is left out.
QString EncodeSetting(const QString &text);
// -85 on each code, with the same rule for codes that leave 0..255.
QString DecodeSetting(const QString &text);

} // namespace app
