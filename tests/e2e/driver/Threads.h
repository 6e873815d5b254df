// Suspending and resuming the other threads of a window's process.
#pragma once

#include <windows.h>

// freeze: SuspendThread on every thread of the window's process but the
// window's own; otherwise ResumeThread on each. 0, or kFailed.
namespace driver {
int Freeze(HWND window, bool freeze);
} // namespace driver
