#pragma once

// The program's look, shared by every window: the house colours, the
// typeface at the windows' sizes and the program's name with its version.
// The style that draws the colours is in Style.h, the icon in Pictures.h.

#include <QColor>
#include <QFont>
#include <QString>

class QComboBox;
class QWidget;

namespace windowkit {

inline const QColor kDarkBrown(94, 70, 47);
inline const QColor kKhaki(221, 228, 169);
inline const QColor kLightYellow(255, 255, 192);
inline const QColor kLinkBlue(0, 0, 255);
inline const QColor kCyan(0, 255, 255);
inline const QColor kProfileGrey(0x40, 0x40, 0x40);

enum class Weight { Regular, Bold };
enum class Underline { No, Yes };

// The windows' typeface (Verdana) at this size.
QFont programFont(qreal points, Weight weight = Weight::Bold, Underline underline = Underline::No);
// Where the typeface is not installed (any Linux desktop) Qt falls back
// through a list of look-alikes, DejaVu Sans first. Call once, before the
// first window is built.
void installFontSubstitutes();

// Fills the widget's own background role (a button's face) with the colour.
void setBackground(QWidget *widget, const QColor &colour);
// The colour of every text role: window text, button text and typed text.
void setTextColour(QWidget *widget, const QColor &colour);
// An opaque control of the main and result windows: one colour for every
// background role (window, base, button) and one for every text role, so
// frames, buttons, lists and boxes all follow the same call.
void setColours(QWidget *widget, const QColor &background, const QColor &text);
// A drop-down list: closed and opened in these colours, the chosen entry of
// the opened list in the two swapped, eight entries at a time.
void setListColours(QComboBox *list, const QColor &background, const QColor &text);
// A box for typed text: its field and the text typed into it, nothing else.
void setFieldColours(QWidget *widget, const QColor &field, const QColor &text);
// A control that lets its container show through, with text in this colour.
void setSeeThroughText(QWidget *widget, const QColor &text);

// "Quenlory v<version>", the caption of every window.
QString programCaption();

} // namespace windowkit
