#pragma once

#include <QString>

namespace platform {

// The running executable's name without its suffix ("quenlory"). The
// settings store and the instance guard are named after it, so a renamed
// copy keeps a reminder date of its own and runs beside the original.
QString executableName();

} // namespace platform
