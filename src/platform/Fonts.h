#pragma once

namespace platform {

// The windows ask for Verdana; where it is not installed (any Linux desktop)
// Qt falls back through this list, DejaVu Sans first. Call once, before the
// first window is built.
void installFontSubstitutes();

} // namespace platform
