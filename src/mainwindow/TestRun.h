#pragma once

// The part of the test run that needs no window: both signs from the chosen
// list positions, the pair lookup, and the six values for the result window.

#include "core/PairTable.h"
#include "windowkit/ResultValues.h"

namespace mainwindow {

// Stores each person's sign in the shared texts (a position pair that gives
// no sign keeps the stored one), runs the pair lookup and reads back what the
// result window shows. Names and years play no part.
windowkit::ResultValues workOutResult(core::RelationCompatibility &shared, int month, int day,
                                          int siblingMonth, int siblingDay);

} // namespace mainwindow
