// The installation's two ends on the wizard's thread: its start on entering
// the installing page, and what follows once the wizard has closed.
#pragma once

#include "engine/AttachFiles.h"
#include "engine/InstallThread.h"
#include "integration/SetupState.h"

#include <memory>

// Decides once whether the installation is portable (kept to the end), makes
// a new install log (merged with the destination's "Install.log" unless
// portable), marks the installation started, collects SelectedComps
// from the rows, builds the plan, sets tsRunning and starts the worker on
// files. The caller sets the progress range from files.TotalSizeToInstall().
std::unique_ptr<TInstallThread> StartInstallation(TSetupState& state, TAttachedFiles& files);

// After the wizard: waits for the worker (when one was started), then, when
// the installation was started, writes the settings and, unless portable,
// saves the install log. A failed save is ignored; the old file stays whole.
void AfterWizard(TSetupState& state, TInstallThread* worker);
