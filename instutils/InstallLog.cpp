// The in-memory install log, its duplicate test and its suspension counter.
#include "instutils/InstallLog.h"

#include "platform/Text.h"

#include <algorithm>
#include <array>

TInstallLog* InstallLog = nullptr;
std::string InstallLogFileName;
int LogSuspendCount = 0;

namespace {

// The locale comparison's fold of every byte, asked once: the per-byte walk
// below is the whole cost of hashing a line.
const std::array<std::string_view, 256>& Folds() {
  static const std::array<std::string_view, 256> folds = [] {
    std::array<std::string_view, 256> table;
    for (int c = 0; c < 256; ++c)
      table[c] = platform::CompareFold(uint8_t(c));
    return table;
  }();
  return folds;
}

// Walks a text byte by byte through the locale comparison's folds: an ignored
// byte gives nothing, a ligature two letters.
class FoldedBytes {
public:
  explicit FoldedBytes(std::string_view text) : folds_(Folds()), text_(text) { Settle(); }
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
      fold_ = folds_[uint8_t(text_[next_++])];
  }

  const std::array<std::string_view, 256>& folds_;
  std::string_view text_;
  size_t next_ = 0;
  std::string_view fold_;
};

// FNV-1a over the folded bytes, its halves mixed so that the low bits the
// table uses depend on every byte.
uint32_t FoldedHash(std::string_view text) {
  uint64_t hash = 14695981039346656037ULL;
  for (FoldedBytes bytes(text); !bytes.AtEnd(); bytes.Advance()) {
    hash ^= uint8_t(bytes.Current());
    hash *= 1099511628211ULL;
  }
  hash ^= hash >> 29;
  hash *= 0xBF58476D1CE4E5B9ULL;
  return uint32_t(hash ^ (hash >> 32));
}

// Equal as the locale comparison finds texts equal ignoring case: "\xE6" and
// "ae", "\xDF" and "SS", a text with a soft hyphen and the same text without.
bool FoldedEqual(std::string_view a, std::string_view b) {
  if (a == b)
    return true;
  FoldedBytes left(a), right(b);
  for (; !left.AtEnd() && !right.AtEnd(); left.Advance(), right.Advance()) {
    if (left.Current() != right.Current())
      return false;
  }
  return left.AtEnd() && right.AtEnd();
}

constexpr size_t kFirstSlotCount = 64;

} // namespace

void TInstallLog::Add(std::string_view line) {
  const uint32_t hash = FoldedHash(line);
  const size_t slot = FreeOrEqualSlot(line, hash);
  if (slots_[slot].position == kFree)
    Append(line, hash, slot);
}

// A repeated line of a loaded file stays in the list; the index keeps the
// position of its first copy.
void TInstallLog::AddUnchecked(std::string_view line) {
  const uint32_t hash = FoldedHash(line);
  const size_t slot = FreeOrEqualSlot(line, hash);
  Append(line, hash, slots_[slot].position == kFree ? slot : slots_.size());
}

size_t TInstallLog::FreeOrEqualSlot(std::string_view line, uint32_t hash) {
  if ((indexed_ + 1) * 2 > slots_.size())
    Rehash(std::max(kFirstSlotCount, slots_.size() * 2));
  return Probe(line, hash);
}

void TInstallLog::Append(std::string_view line, uint32_t hash, size_t slot) {
  if (slot < slots_.size()) {
    slots_[slot] = {hash, uint32_t(spans_.size())};
    ++indexed_;
  }
  spans_.push_back({text_.size(), line.size()});
  text_.append(line).append("\r\n");
}

// Linear probing from the hash's home slot; the table is never full.
size_t TInstallLog::Probe(std::string_view line, uint32_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.position == kFree || (slot.hash == hash && FoldedEqual(Line(slot.position), line)))
      return i;
  }
}

// The slots move by their stored hashes; no line is read again.
void TInstallLog::Rehash(size_t slotCount) {
  const std::vector<Slot> previous = std::move(slots_);
  slots_.assign(slotCount, Slot{0, kFree});
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : previous) {
    if (slot.position == kFree)
      continue;
    size_t i = slot.hash & mask;
    while (slots_[i].position != kFree)
      i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

void TInstallLog::Reserve(size_t count, size_t textBytes) {
  spans_.reserve(count);
  text_.reserve(textBytes);
  size_t slotCount = std::max(kFirstSlotCount, slots_.size());
  while (count * 2 > slotCount)
    slotCount *= 2;
  if (slotCount > slots_.size())
    Rehash(slotCount);
}

bool TInstallLog::Contains(std::string_view line) const {
  return !slots_.empty() && slots_[Probe(line, FoldedHash(line))].position != kFree;
}

std::vector<std::string> TInstallLog::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(spans_.size());
  for (size_t i = 0; i < spans_.size(); ++i)
    lines.emplace_back(Line(i));
  return lines;
}

void TInstallLog::Clear() {
  text_.clear();
  spans_.clear();
  slots_.clear();
  indexed_ = 0;
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
