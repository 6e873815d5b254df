// The install thread: executes the catalogue's install plan in the
// background and reports through InstallStatus.
#pragma once

#include "platform/Threads.h"

#include <atomic>

class TAttachedFiles;

// The worker procedure: extracts every planned file, component by component,
// holding at file boundaries while the state is tsPaused and leaving when it
// is tsStop. Ends with tsStop, or with tsFailed when the user chose Abort.
void RunInstallPlan(const TAttachedFiles& files);

class TInstallThread {
public:
  // Starts the worker at once on files (the global AttachedFiles by default).
  // The wizard sets tsRunning before creating it.
  TInstallThread();
  explicit TInstallThread(const TAttachedFiles& files);
  // Waits for the worker to end.
  ~TInstallThread();

  TInstallThread(const TInstallThread&) = delete;
  TInstallThread& operator=(const TInstallThread&) = delete;

  // Waits until the worker has ended; returns at once if it already has.
  void WaitFor();
  bool Finished() const { return Finished_.load(std::memory_order_acquire); }

private:
  std::atomic<bool> Finished_{false};
  platform::Thread Thread_;
};
