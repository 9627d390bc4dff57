#pragma once

#include <QWidget>

namespace windowkit {

// The central area of the main and result windows: in the program's typeface,
// 8.25 pt bold, from the moment it exists, so every control the form builds
// on it starts in that typeface (a font change reaching a drop-down list
// later makes it build its popup at once), while the menu bar beside it keeps
// the desktop's font.
class TypefacePanel : public QWidget
{
public:
    explicit TypefacePanel(QWidget *parent = nullptr);
};

} // namespace windowkit
