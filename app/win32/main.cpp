// The entry point of the Windows setup program: the start-up sequence with
// the wizard shown in its window, then the settings and the install log
// written when an installation was started.
#include "app/RunWizard.h"
#include "engine/Startup.h"
#include "platform/ui/WizardView.h"

#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return RunSetup(args, [&args](TAttachedFiles& files) {
    // Without its window the wizard cannot run; nothing was started, so
    // nothing is left to write.
    const std::unique_ptr<ui::TView> view = ui::CreateWizardView();
    if (view)
      RunWizard(files, args, *view);
  });
}
