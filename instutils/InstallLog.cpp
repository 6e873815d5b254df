// The in-memory install log, its duplicate test and its suspension counter.
#include "instutils/InstallLog.h"

#include "instutils/TextUtils.h"

TInstallLog* InstallLog = nullptr;
std::string InstallLogFileName;
int LogSuspendCount = 0;

void TInstallLog::Add(const std::string& line) {
  std::string folded = UpperCase(line);
  if (folded_.count(folded) != 0)
    return;
  lines_.push_back(line);
  folded_.insert(std::move(folded));
}

void TInstallLog::AddUnchecked(const std::string& line) {
  lines_.push_back(line);
  folded_.insert(UpperCase(line));
}

bool TInstallLog::Contains(const std::string& line) const {
  return folded_.count(UpperCase(line)) != 0;
}

void TInstallLog::Clear() {
  lines_.clear();
  folded_.clear();
}

// Nothing is recorded before the installing page has created the log.
void AddLogLine(const std::string& line) {
  if (LogSuspendCount != 0 || InstallLog == nullptr)
    return;
  InstallLog->Add(line);
}

void SuspendLogging() {
  ++LogSuspendCount;
}

void ResumeLogging() {
  --LogSuspendCount;
}
