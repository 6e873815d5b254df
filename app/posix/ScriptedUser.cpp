// The scripted user of the native program and what it prints.
#include "app/posix/ScriptedUser.h"

#include "platform/posix/Cp1252.h"

#include <chrono>
#include <string>
#include <thread>

using ui::TControl;

namespace {

constexpr int kInstallingPage = 5;
constexpr int kFinishPage = 7;

// cp1252 to UTF-8, each "\r" starting an indented line.
std::string Shown(const std::string& text) {
  std::string out;
  for (char c : text)
    out += c == '\r' ? std::string("\n      ") : std::string(1, c);
  return platform::posix::Cp1252ToUtf8(out);
}

std::string Button(const ui::THeadlessControl& button) {
  if (!button.Visible)
    return "";
  const std::string caption = "[" + Shown(button.Text) + "]";
  return button.Enabled ? caption + " " : "(" + caption + " disabled) ";
}

std::string Box(const ui::THeadlessControl& box) {
  if (!box.Visible)
    return "";
  return std::string(box.Checked ? "  [x] " : "  [ ] ") + Shown(box.Text) + "\n";
}

const char* RowState(uint8_t state) {
  return state == 0 ? "[ ]" : state == 1 ? "[x]" : "[#]";
}

} // namespace

TScriptedUser::TScriptedUser(ui::THeadlessView& view, std::FILE* out) : View_(view), Out_(out) {
  View_.OnPageShown = [this](int page) { PrintPage(page); };
  View_.WhileDialogShown = [this](const ui::TDialogSpec& dialog) { PrintDialog(dialog); };
  View_.Script = [this](ui::THeadlessView&) { Run(); };
}

void TScriptedUser::Run() {
  while (View_.Page() != kFinishPage) {
    if (View_.Page() == kInstallingPage) {
      WaitWhileInstalling();
      if (View_.Page() == kInstallingPage)
        return;
      continue;
    }
    const int page = View_.Page();
    if (!View_.Press(TControl::NextBtn) || View_.Page() == page) {
      std::fprintf(Out_, "The wizard stayed on page %d.\n", page);
      return;
    }
  }
  // The word processor would stay open after this run: it is not launched.
  View_.Tick(TControl::FinishChkBx, false);
  std::fprintf(Out_, "  (unticked so that no program stays open) %s-> %s\n",
               Box(View_.Control(TControl::FinishChkBx)).c_str() + 2,
               Shown(View_.Control(TControl::NextBtn).Text).c_str());
  View_.Press(TControl::NextBtn);
}

// Timer 1 as the window would fire it, every 100 ms, until the page changes
// or the wizard closes; a minute at most.
void TScriptedUser::WaitWhileInstalling() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  std::string shown;
  while (View_.Page() == kInstallingPage && std::chrono::steady_clock::now() < deadline) {
    if (!View_.FireTimer(1))
      return;
    const ui::THeadlessControl& component = View_.Control(TControl::InstallingLbl2);
    if (View_.Page() == kInstallingPage && component.Text != shown) {
      shown = component.Text;
      const ui::THeadlessControl& bar = View_.Control(TControl::InstallingProgressBar);
      std::fprintf(Out_, "  %s %s (%d of %d bytes)\n",
                   Shown(View_.Control(TControl::InstallingLbl1).Text).c_str(),
                   Shown(shown).c_str(), bar.ProgressPosition, bar.ProgressMax);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (View_.Page() == kInstallingPage)
    std::fprintf(Out_, "The installation did not end within a minute.\n");
}

void TScriptedUser::PrintPage(int page) const {
  std::string text =
      "\nPage " + std::to_string(page) + ": " + Shown(View_.Control(TControl::TopLbl).Text) + "\n";
  text += "  buttons: " + Button(View_.Control(TControl::BackBtn)) +
          Button(View_.Control(TControl::NextBtn)) + Button(View_.Control(TControl::CancelBtn)) +
          "\n";
  switch (page) {
  case 1:
    text += "  licence: " + std::to_string(View_.Control(TControl::LicenseMemo).Lines.size()) +
            " lines\n" + Box(View_.Control(TControl::LicenseChkBx));
    break;
  case 2:
    text += "  folder: " + Shown(View_.Control(TControl::DestDirEdt).Text) + "\n";
    break;
  case 3:
    for (const ui::TCheckRow& row : View_.Control(TControl::SelCompLstBx).CheckRows)
      text += std::string("  ") + RowState(row.State) + " " + Shown(row.Name) + "  " +
              Shown(row.SizeText) + "\n";
    text += "  " + Shown(View_.Control(TControl::SelCompDiskSpaceReqLbl1).Text) + " " +
            Shown(View_.Control(TControl::SelCompDiskSpaceReqLbl2).Text) + "\n  " +
            Shown(View_.Control(TControl::SelCompDiskSpaceAvailLbl1).Text) + " " +
            Shown(View_.Control(TControl::SelCompDiskSpaceAvailLbl2).Text) + "\n";
    break;
  case 4:
    text += Box(View_.Control(TControl::InstallToAllChkBx));
    break;
  case 6:
    for (TControl box : {TControl::AssocChkBx1, TControl::AssocChkBx2, TControl::AssocChkBx3,
                         TControl::AssocChkBx4})
      text += Box(View_.Control(box));
    break;
  case 7:
    text += Box(View_.Control(TControl::FinishChkBx));
    break;
  default:
    break;
  }
  std::fputs(text.c_str(), Out_);
}

void TScriptedUser::PrintDialog(const ui::TDialogSpec& dialog) const {
  std::fprintf(Out_, "  dialog \"%s\": %s\n", Shown(dialog.Caption).c_str(),
               Shown(dialog.Text.Bytes()).c_str());
}

void TScriptedUser::PrintOutcome(const TWizardOutcome& outcome) const {
  const char* result = outcome.ModalResult == 1   ? "OK"
                       : outcome.ModalResult == 2 ? "Cancel"
                                                  : "still open";
  std::fprintf(Out_, "\nWizard closed: %s; installation %s in %s\n", result,
               outcome.InstallStarted ? "started" : "not started",
               Shown(outcome.InstallDir).c_str());
}
