// The wizard's part of the program's run: the form created over a view,
// run modally, what follows it (settings and install log), and its end.
#pragma once

#include "engine/AttachFiles.h"
#include "platform/ui/View.h"

#include <string>
#include <vector>

struct TWizardOutcome {
  int ModalResult = 0;         // 1 OK (finished), 2 Cancel, 0 when the run ended open
  bool InstallStarted = false; // the installing page was reached
  std::string InstallDir;      // the install folder chosen
};

// args are the command-line arguments after the program name.
TWizardOutcome RunWizard(TAttachedFiles& files, const std::vector<std::string>& args,
                         ui::TView& view);
