#pragma once

// The content tables hold UTF-8 text as std::string_view; the tests compare
// it as QString.

#include <QString>

#include <string_view>

inline QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}
