// The message dialog shown through the wizard's view: the dialog's model
// (caption, icon, buttons, default and cancel buttons) turned into what the
// view lays out.
#pragma once

#include "platform/ui/View.h"

#include <cstdint>
#include <string>

// The whole description of one message dialog.
ui::TDialogSpec MessageDialogSpec(const platform::MessageText& text, uint8_t kind,
                                  uint16_t buttons);

// Makes ShowMessageDialog show its dialogs in view (until another handler,
// or none, is installed).
void ShowMessageDialogsIn(ui::TView& view);
