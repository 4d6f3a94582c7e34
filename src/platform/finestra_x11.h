// The window on an X11 display, for Linux desktops.
#pragma once

#include <memory>

#include "platform/finestra.h"

namespace od {

// Opens the display named `schermo` (as in DISPLAY); nothing when it cannot
// be opened, so that the caller can fall back to the console.
std::unique_ptr<finestra> finestra_x11(const char* schermo);

}  // namespace od
