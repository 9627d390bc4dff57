#pragma once

#include <QString>

#include <optional>

namespace windowkit {

// The six values a test run writes into the result window. A profile that
// is missing (no sign) leaves its box as it was.
struct ResultValues {
    QString yourSunSign;
    std::optional<QString> yourProfile;
    QString yourSiblingSunSign;
    std::optional<QString> yourSiblingProfile;
    QString pairSentence;
    QString levelSentence;
};

} // namespace windowkit
