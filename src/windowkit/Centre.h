#pragma once

class QWidget;

namespace windowkit {

// Moves a top-level window so that its frame sits in the middle of the
// available area of its screen.
void centreOnScreen(QWidget *window);

} // namespace windowkit
