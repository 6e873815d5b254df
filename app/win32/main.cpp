// The entry point of the setup program: the start-up sequence with the
// wizard's part of the run — the saved settings read, the wizard shown, and
// after it the settings and the install log written when an installation
// was started.
#include "engine/Startup.h"
#include "engine/ThreadMessageDlg.h"
#include "integration/InstallSession.h"
#include "integration/Settings.h"
#include "wizard/MessageDialog.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return RunSetup(args, [&args](TAttachedFiles& files) {
    SetUserInterfaceThread(ShowMessageDialog);
    TSetupState state;
    ReadRegistrySettings(state, args);
    ShowCatalogueSummary(files); // the wizard's pages come here
    AfterWizard(state, nullptr);
  });
}
