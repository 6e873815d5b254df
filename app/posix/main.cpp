// The native setup program: the start-up sequence with the wizard run over
// the headless view through a whole default installation into the emulated
// machine (BREVANTO_MACHINE), printing each page it passes and the result.
#include "app/RunWizard.h"
#include "app/posix/ScriptedUser.h"
#include "engine/Startup.h"
#include "platform/ui/headless/HeadlessView.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return RunSetup(args, [&args](TAttachedFiles& files) {
    ui::THeadlessView view;
    TScriptedUser user(view, stdout);
    const TWizardOutcome outcome = RunWizard(files, args, view);
    user.PrintOutcome(outcome);
  });
}
