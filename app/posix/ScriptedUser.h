// A user who accepts every proposal of the wizard: Next on each page, waits
// while the files are installed, then "&Terminer" without launching the word
// processor (it would outlive the run). Each page passed and
// each dialog shown is printed (as UTF-8) to out.
#pragma once

#include "app/RunWizard.h"
#include "platform/ui/headless/HeadlessView.h"

#include <cstdio>

class TScriptedUser {
public:
  TScriptedUser(ui::THeadlessView& view, std::FILE* out);
  void PrintOutcome(const TWizardOutcome& outcome) const;

private:
  void Run();
  void WaitWhileInstalling();
  void PrintPage(int page) const;
  void PrintDialog(const ui::TDialogSpec& dialog) const;

  ui::THeadlessView& View_;
  std::FILE* Out_;
};
