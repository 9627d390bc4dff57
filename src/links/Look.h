#pragma once

// The program's look shared by the about box and the exit screen: Verdana at
// the sizes of the other windows and the four house colours.

#include <QColor>
#include <QFont>

class QWidget;

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

// The resource of the program's 32 x 32 icon (no picture while it is missing).
QString programIconPath();

} // namespace links
