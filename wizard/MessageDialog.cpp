// The message dialog's captions, buttons and key rules, and the hand-over to
// the user interface.
#include "wizard/MessageDialog.h"

#include "platform/Constants.h"

namespace {

const TMsgDlgButton kButtons[] = {
    {mbYes, "&Oui", dlg::kYes},
    {mbNo, "&Non", dlg::kNo},
    {mbOK, "OK", dlg::kOk},
    {mbCancel, "Annuler", dlg::kCancel},
    {mbAbort, "A&bandonner", dlg::kAbort},
    {mbRetry, "&Réessayer", dlg::kRetry},
    {mbIgnore, "I&gnorer", dlg::kIgnore},
};

TMessageDialogHandler handler;
int dialogsShown = 0; // dialogs up, one inside the other's message loop

// The first of the candidates present in the set.
TMsgButton FirstPresent(uint16_t buttons, std::initializer_list<TMsgButton> candidates) {
  for (TMsgButton b : candidates) {
    if (buttons & b)
      return b;
  }
  return TMsgButton(0);
}

} // namespace

const char* MessageDialogCaption(uint8_t kind) {
  switch (kind) {
  case mkError:
    return "Erreur";
  case mkInformation:
    return "Information";
  case mkConfirmation:
    return "Confirmation";
  default:
    return "Avertissement";
  }
}

TMsgIcon MessageDialogIcon(uint8_t kind) {
  switch (kind) {
  case mkError:
    return TMsgIcon::Hand;
  case mkInformation:
    return TMsgIcon::Asterisk;
  case mkConfirmation:
    return TMsgIcon::Question;
  default:
    return TMsgIcon::Exclamation;
  }
}

std::vector<TMsgDlgButton> MessageDialogButtons(uint16_t buttons) {
  std::vector<TMsgDlgButton> shown;
  for (const TMsgDlgButton& b : kButtons) {
    if (buttons & b.Bit)
      shown.push_back(b);
  }
  return shown;
}

TMsgButton DefaultButton(uint16_t buttons) {
  return FirstPresent(buttons, {mbOK, mbYes, mbRetry});
}

TMsgButton CancelButton(uint16_t buttons) {
  return FirstPresent(buttons, {mbCancel, mbNo, mbOK});
}

int ButtonResult(TMsgButton button) {
  for (const TMsgDlgButton& b : kButtons) {
    if (b.Bit == button)
      return b.Result;
  }
  return kNoAnswer;
}

void SetMessageDialogHandler(TMessageDialogHandler newHandler) {
  handler = std::move(newHandler);
}

int ShowMessageDialog(const platform::MessageText& text, uint8_t kind, uint16_t buttons) {
  if (!handler)
    return kNoAnswer;
  ++dialogsShown;
  const int result = handler(text, kind, buttons);
  --dialogsShown;
  return result;
}

bool MessageDialogShown() {
  return dialogsShown > 0;
}
