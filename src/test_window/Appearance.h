#pragma once

// The look both windows share: the house colours, the Verdana base font and
// the way a control is given its colours.

#include <QColor>
#include <QFont>

class QWidget;

namespace test_window {

inline const QColor kDarkBrown(94, 70, 47);
inline const QColor kKhaki(221, 228, 169);
inline const QColor kLightYellow(255, 255, 192);
inline const QColor kCyan(0, 255, 255);
inline const QColor kLinkBlue(0, 0, 255);

// Verdana 8.25 pt bold: the windows' text unless a control says otherwise.
QFont baseFont();

// An opaque control: its background and its text in these colours.
void paint(QWidget *widget, const QColor &background, const QColor &text);
// A control that lets its container show through, with text in this colour.
void paintText(QWidget *widget, const QColor &text);

} // namespace test_window
