// The in-memory install log, its duplicate test and its suspension counter.
#include "instutils/InstallLog.h"

#include "platform/Text.h"

#include <cstdint>

TInstallLog* InstallLog = nullptr;
std::string InstallLogFileName;
int LogSuspendCount = 0;

TInstallLog::TInstallLog() : index_(0, FoldedHash{&lines_}, FoldedEqual{&lines_}) {}

namespace {

// Walks a text byte by byte through the locale comparison's folds: an ignored
// byte gives nothing, a ligature two letters.
class FoldedBytes {
public:
  explicit FoldedBytes(std::string_view text) : text_(text) { Settle(); }
  bool AtEnd() const { return next_ == text_.size() && fold_.empty(); }
  char Current() const { return fold_.front(); }
  void Advance() {
    fold_.remove_prefix(1);
    Settle();
  }

private:
  // Moves on to the next byte that folds to something, when the current
  // fold is used up.
  void Settle() {
    while (fold_.empty() && next_ < text_.size())
      fold_ = platform::CompareFold(static_cast<uint8_t>(text_[next_++]));
  }

  std::string_view text_;
  size_t next_ = 0;
  std::string_view fold_;
};

} // namespace

// FNV-1a over the folded bytes.
size_t TInstallLog::FoldedHash::operator()(std::string_view text) const {
  uint64_t hash = 14695981039346656037ULL;
  for (FoldedBytes bytes(text); !bytes.AtEnd(); bytes.Advance()) {
    hash ^= static_cast<uint8_t>(bytes.Current());
    hash *= 1099511628211ULL;
  }
  return static_cast<size_t>(hash);
}

// Equal as the locale comparison finds texts equal ignoring case: "\xE6" and
// "ae", "\xDF" and "SS", a text with a soft hyphen and the same text without.
bool TInstallLog::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  FoldedBytes left(a), right(b);
  for (; !left.AtEnd() && !right.AtEnd(); left.Advance(), right.Advance()) {
    if (left.Current() != right.Current())
      return false;
  }
  return left.AtEnd() && right.AtEnd();
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
