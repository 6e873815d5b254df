// The worker procedure of the install thread and the thread object.
#include "engine/InstallThread.h"

#include "engine/AttachFiles.h"
#include "engine/Components.h"
#include "engine/InstallStatus.h"
#include "instutils/InstallLog.h"

namespace {

// Extracts one planned file, keeping it out of the log when it was planned
// while logging was suspended. False when the user chose Abort.
bool InstallFile(const TAttachedFiles& files, const TFileToInstall& file) {
  if (!file.Logged)
    SuspendLogging();
  const bool written = files.ExtractFile(file.AttachedFile, std::string(), file.DestName);
  if (!file.Logged)
    ResumeLogging();
  return written;
}

// The pause and stop check made between two files and after each component:
// holds while paused; true when a stop has been ordered.
bool StopOrdered() {
  return InstallStatus.WaitWhile(tsPaused) == tsStop;
}

enum class TOutcome { Done, Stopped, Failed };

TOutcome InstallComponent(const TAttachedFiles& files, int comp) {
  for (const TFileToInstall& file : files.FilesToInstall(comp)) {
    InstallStatus.CurComp = uint8_t(comp);
    if (!InstallFile(files, file))
      return TOutcome::Failed;
    InstallStatus.Position += file.AttachedFile->Size;
    if (StopOrdered())
      return TOutcome::Stopped;
  }
  return TOutcome::Done;
}

} // namespace

void RunInstallPlan(const TAttachedFiles& files) {
  for (int comp = 0; comp < kComponentCount; ++comp) {
    if (InstallComponent(files, comp) == TOutcome::Failed) {
      InstallStatus.SetState(tsFailed);
      return;
    }
    if (StopOrdered())
      break;
  }
  InstallStatus.SetState(tsStop);
}

TInstallThread::TInstallThread() : TInstallThread(*AttachedFiles) {}

TInstallThread::TInstallThread(const TAttachedFiles& files) {
  const bool started = Thread_.Start([this, &files] {
    RunInstallPlan(files);
    Finished_.store(true, std::memory_order_release);
  });
  if (!started) {
    // No thread could be started: nothing will be installed, so the wizard
    // must learn that the installation ended without its files.
    InstallStatus.SetState(tsFailed);
    Finished_.store(true, std::memory_order_release);
  }
}

TInstallThread::~TInstallThread() {
  WaitFor();
}

void TInstallThread::WaitFor() {
  Thread_.Join();
}
