// Start of the installation and the settings and log after the wizard.
#include "integration/InstallSession.h"

#include "engine/InstallStatus.h"
#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/InstallPlan.h"
#include "integration/Settings.h"

namespace {

void PrepareInstallLog(const TSetupState& state) {
  NewInstallLog();
  InstallLogFileName.clear();
  if (IsPortableInstall(state))
    return;
  InstallLogFileName = GetInstallFilePath(state, "Install.log");
  LoadInstallLog(InstallLogFileName);
}

uint8_t SelectedFromRows(const TSetupState& state) {
  uint8_t selected = 0;
  for (int i = kComponentCount - 1; i >= 0; --i) {
    if (state.CompStates[i] != cbUnchecked)
      selected |= uint8_t(1u << i);
  }
  return selected;
}

} // namespace

std::unique_ptr<TInstallThread> StartInstallation(TSetupState& state, TAttachedFiles& files) {
  state.PortableAtStart.reset();
  state.PortableAtStart = IsPortableInstall(state);
  PrepareInstallLog(state);
  state.InstallStarted = true;
  state.SelectedComps = SelectedFromRows(state);
  PrepareInstall(state, files);
  InstallStatus.SetState(tsRunning);
  return std::make_unique<TInstallThread>(files);
}

void AfterWizard(TSetupState& state, TInstallThread* worker) {
  if (worker)
    worker->WaitFor();
  if (!state.InstallStarted)
    return;
  WriteRegistrySettings(state);
  if (!IsPortableInstall(state))
    SaveInstallLog();
}
