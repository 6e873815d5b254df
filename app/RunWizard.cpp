// Creates the wizard, runs it modally through the view, then, before the
// form goes, waits for the install thread and writes the settings and the
// install log when an installation was started.
#include "app/RunWizard.h"

#include "integration/InstallSession.h"
#include "wizard/InstallControl.h"
#include "wizard/MainDlg.h"

#include <memory>

TWizardOutcome RunWizard(TAttachedFiles& files, const std::vector<std::string>& args,
                         ui::TView& view) {
  auto form = std::make_unique<TMainDlgForm>(view, files, args);
  bool afterDone = false;
  // At the end of the session the process may be ended as soon as the view
  // returns from the system's message: what follows the wizard runs there.
  form->SetSessionEndAction([&] {
    AfterWizard(form->State(), form->InstallThread());
    afterDone = true;
  });
  view.RunModal(*form);
  if (!afterDone) {
    // A modal run ended without the form closing (WM_QUIT, a failing message
    // loop) leaves nobody to answer the worker: it is stopped before the wait.
    if (!form->Closed())
      StopInstallation();
    AfterWizard(form->State(), form->InstallThread());
  }
  TWizardOutcome outcome{form->ModalResult(), form->State().InstallStarted,
                         form->State().Options.InstallDir};
  form.reset();
  return outcome;
}
