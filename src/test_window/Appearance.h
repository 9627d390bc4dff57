#pragma once

// How the two main windows give their controls the house colours: an opaque
// control takes one colour for every background role and one for every text
// role, so frames, buttons, lists and boxes all follow the same call.

#include "links/Look.h"

#include <QColor>

class QWidget;

namespace test_window {

inline const QColor kCyan(0, 255, 255);

// An opaque control: its background and its text in these colours.
void paint(QWidget *widget, const QColor &background, const QColor &text);
// A control that lets its container show through, with text in this colour.
void paintText(QWidget *widget, const QColor &text);

} // namespace test_window
