#pragma once

class QWidget;

namespace windowkit {

// Moves a top-level window, when it is first shown, so that its frame sits in
// the middle of the available area of its screen; afterwards it stays where
// the user puts it.
void centreWhenFirstShown(QWidget *window);

} // namespace windowkit
