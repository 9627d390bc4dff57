#pragma once

#include <exception>

namespace windowkit {

// Runs one step that can fail (a call into the desktop seam) on its own: a
// step that fails is skipped without a message and the caller goes on with
// its next step.
template <typename Step>
void guarded(Step &&step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace windowkit
