// The application window: a hidden top-level window that carries the
// program's title and icon, as the identity of the running application.
// Exposed for the Win32 user interface and the tests of this layer.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace platform::win32 {

// Window class of the application window (its text is the program's title,
// like the wizard's caption: look for the wizard by its own class).
inline constexpr char kApplicationWindowClass[] = "BrevantoSetupApplication";

// The application window, created on the first call, on the calling thread;
// null when it cannot be created.
HWND ApplicationWindow();

// Icon group 1 of the program's own resources; null when it has none.
HICON ApplicationIcon();

} // namespace platform::win32
