// The in-memory install log, its duplicate test and its suspension counter.
#include "instutils/InstallLog.h"

#include "instutils/TextUtils.h"
#include "platform/Text.h"

#include <cstdint>

TInstallLog* InstallLog = nullptr;
std::string InstallLogFileName;
int LogSuspendCount = 0;

TInstallLog::TInstallLog() : index_(0, FoldedHash{&lines_}, FoldedEqual{&lines_}) {}

// FNV-1a over the upper-cased bytes.
size_t TInstallLog::FoldedHash::operator()(std::string_view text) const {
  const uint8_t* upper = platform::UpperCaseTable();
  uint64_t hash = 14695981039346656037ULL;
  for (char c : text) {
    hash ^= upper[static_cast<uint8_t>(c)];
    hash *= 1099511628211ULL;
  }
  return static_cast<size_t>(hash);
}

bool TInstallLog::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return SameTextNoCase(a, b);
}

void TInstallLog::Add(const std::string& line) {
  if (!Contains(line))
    AddUnchecked(line);
}

// A repeated line of a loaded file stays in the list; the index keeps the
// position of its first copy.
void TInstallLog::AddUnchecked(std::string line) {
  lines_.push_back(std::move(line));
  index_.insert(lines_.size() - 1);
}

void TInstallLog::Reserve(size_t count) {
  lines_.reserve(count);
  index_.reserve(count);
}

bool TInstallLog::Contains(const std::string& line) const {
  return index_.find(std::string_view(line)) != index_.end();
}

void TInstallLog::Clear() {
  index_.clear();
  lines_.clear();
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
