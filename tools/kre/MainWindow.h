// The stand-in's one window, carrying the running-copy property; one
// implementation per platform (win32/, posix/).
#pragma once

namespace kre {

// Shows the window marked with kRunningProperty and returns when it has been
// closed, the mark removed; returns at once when no window could be made.
void ShowMainWindowUntilClosed();

} // namespace kre
