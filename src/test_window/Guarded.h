#pragma once

#include <exception>

namespace test_window {

// Runs one step of a handler on its own: a step that fails is skipped without
// a message and the handler goes on with its next step.
template <typename Step>
void guarded(Step &&step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace test_window
