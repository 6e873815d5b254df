// From the message dialog's model to the view's dialog description.
#include "wizard/DialogView.h"

#include "wizard/MessageDialog.h"

namespace {

ui::TDialogIcon ViewIcon(TMsgIcon icon) {
  switch (icon) {
  case TMsgIcon::Hand:
    return ui::TDialogIcon::Hand;
  case TMsgIcon::Asterisk:
    return ui::TDialogIcon::Asterisk;
  case TMsgIcon::Question:
    return ui::TDialogIcon::Question;
  default:
    return ui::TDialogIcon::Exclamation;
  }
}

} // namespace

ui::TDialogSpec MessageDialogSpec(const platform::MessageText& text, uint8_t kind,
                                  uint16_t buttons) {
  ui::TDialogSpec spec;
  spec.Caption = MessageDialogCaption(kind);
  spec.Icon = ViewIcon(MessageDialogIcon(kind));
  spec.Text = text;
  const TMsgButton defaultButton = DefaultButton(buttons);
  const TMsgButton cancelButton = CancelButton(buttons);
  for (const TMsgDlgButton& button : MessageDialogButtons(buttons)) {
    if (button.Bit == defaultButton)
      spec.DefaultButton = int(spec.Buttons.size());
    if (button.Bit == cancelButton)
      spec.CancelButton = int(spec.Buttons.size());
    spec.Buttons.push_back({button.Caption, button.Result});
  }
  spec.CloseBoxResult = kCloseBoxResult;
  return spec;
}

static_assert(ui::kNoDialogAnswer == kNoAnswer, "the view's no-answer is the dialog's");

void ShowMessageDialogsIn(ui::TView& view) {
  SetMessageDialogHandler(
      [&view](const platform::MessageText& text, uint8_t kind, uint16_t buttons) {
        return view.ShowDialog(MessageDialogSpec(text, kind, buttons));
      });
}
