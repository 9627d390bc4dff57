#pragma once

// The program's look shared by the about box and the exit screen: Verdana at
// the sizes of the other windows and the four house colours.

#include <QColor>
#include <QFont>
#include <QWidget>

namespace links {

inline const QColor kDarkBrown(94, 70, 47);
inline const QColor kKhaki(221, 228, 169);
inline const QColor kLightYellow(255, 255, 192);
inline const QColor kLinkBlue(0, 0, 255);

enum class Weight { Regular, Bold };
enum class Underline { No, Yes };

QFont verdana(qreal points, Weight weight = Weight::Bold, Underline underline = Underline::No);

// Fills the widget's background (a button's face) with the colour.
void setBackground(QWidget *widget, const QColor &colour);
void setTextColour(QWidget *widget, const QColor &colour);

// The central area of the main and result windows: Verdana 8.25 pt bold from
// the moment it exists, so every control the form builds on it starts in that
// typeface (a font change reaching a drop-down list later makes it build its
// popup at once), while the menu bar beside it keeps the desktop's font.
class VerdanaPanel : public QWidget
{
public:
    explicit VerdanaPanel(QWidget *parent = nullptr);
};

// The resource of the program's 32 x 32 icon (no picture while it is missing).
QString programIconPath();

} // namespace links
