// The model of the one message dialog: captions and icons per kind, buttons
// with their captions and results in display order, the default and cancel
// buttons; and ShowMessageDialog, which hands the dialog to the user
// interface's handler.
#pragma once

#include "engine/MessageKinds.h"
#include "platform/MessageText.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class TMsgIcon { Exclamation, Hand, Asterisk, Question };

struct TMsgDlgButton {
  TMsgButton Bit;
  const char* Caption; // "&" marks the accelerator letter
  int Result;          // dlg:: value returned when pressed
};

// The caption of a kind; an unknown kind is shown as a warning.
const char* MessageDialogCaption(uint8_t kind);
TMsgIcon MessageDialogIcon(uint8_t kind);

// The buttons of a set, in display order.
std::vector<TMsgDlgButton> MessageDialogButtons(uint16_t buttons);
// The button Enter presses: OK, else Yes, else Retry; 0 when none is in the set.
TMsgButton DefaultButton(uint16_t buttons);
// The button Esc presses: Cancel, else No, else OK; 0 when none is in the set.
TMsgButton CancelButton(uint16_t buttons);
// The result of a button of the table; kNoAnswer for anything else.
int ButtonResult(TMsgButton button);
// What the title-bar close box answers, whatever the buttons.
constexpr int kCloseBoxResult = 2;

// Shows the dialog modally on the user-interface thread and returns the
// result of the button pressed.
using TMessageDialogHandler =
    std::function<int(const platform::MessageText& text, uint8_t kind, uint16_t buttons)>;

// Installs the user interface's dialog (an empty handler removes it).
void SetMessageDialogHandler(TMessageDialogHandler handler);
// The modal message dialog; kNoAnswer when no user interface is installed.
int ShowMessageDialog(const platform::MessageText& text, uint8_t kind, uint16_t buttons);
// True while a message dialog is up: the windows under it are disabled.
bool MessageDialogShown();
