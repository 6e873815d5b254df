// What happens on reaching the Finish page and on clicking "&Terminer".
#pragma once

#include "engine/AttachFiles.h"
#include "integration/SetupState.h"
#include "integration/UpdateLog.h"

#include <string>

// The 25 bytes of "kre_common.dat": tag 1 with the 8-byte date-time, tag 2
// with the character "1".
std::string CommonDataRecord(double now);

// On reaching the Finish page: writes "kre_common.dat"; then, unless the
// installation is portable, rebuilds Extensions from the association boxes,
// starts the association command and makes the two shortcuts.
void FinishActions(TSetupState& state);

// The "&Terminer" click: merges the catalogue's UpdateList into "Update.log" unless the
// installation is portable, then starts the word processor when FinishChkBx
// is ticked (as the user, in the install folder: Processes::Launch; when that
// withholds it from an elevated setup, the user is told). False when "Update.log" could
// not be read or saved: nothing is started, the wizard stays on the Finish page and, when given,
// failure tells why. True when the wizard may close with OK.
bool FinishClick(TSetupState& state, TAttachedFiles& files, TUpdateLogFailure* failure = nullptr);
