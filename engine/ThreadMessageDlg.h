// Message dialogs from any thread: shown directly on the user-interface
// thread, requested through InstallStatus from any other thread.
#pragma once

#include "platform/MessageText.h"

#include <cstdint>
#include <functional>
#include <string>

// Shows a modal message dialog on the user-interface thread and returns the
// button pressed (dlg:: results).
using TMessageDialogFn =
    std::function<int(const platform::MessageText& text, uint8_t kind, uint16_t buttons)>;

// Records the calling thread as the user-interface thread and show as the way
// it shows dialogs. Called at start, before the install thread exists.
void SetUserInterfaceThread(TMessageDialogFn show);
bool OnUserInterfaceThread();

// Shows a message dialog from any thread and returns the button pressed.
// kNoAnswer when no one can answer: no dialog function on the user-interface
// thread, or, from another thread, no installation running or a stop ordered
// (the wizard is closing and will not serve the request).
int ThreadMessageDlg(const platform::MessageText& text, uint8_t kind, uint16_t buttons);
