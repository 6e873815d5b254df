// Matching archive entry names against the items of a file list, ignoring
// case: an item ending in a backslash stands for every entry under that
// folder, any other item for the one entry of that whole name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TNamePattern {
public:
  // Upper-cases the pattern once, so that matching an entry costs one table
  // look-up per byte and no allocation.
  explicit TNamePattern(const std::string& pattern);

  bool IsFolderPrefix() const { return folder_; }
  // A folder prefix matches names whose first bytes equal it; any other
  // pattern matches the equal name only.
  bool Matches(const std::string& name) const;

private:
  bool SamePrefix(const std::string& name) const;

  std::string upper_;
  const uint8_t* table_;
  bool folder_;
};

// Calls visit for each entry the pattern matches, in order; a whole-name
// pattern stops at its first match, names being unique.
template <class Entries, class Visit>
void ForEachMatch(const Entries& entries, const TNamePattern& pattern, Visit visit) {
  for (const auto& entry : entries) {
    if (!pattern.Matches(entry.Name))
      continue;
    visit(entry);
    if (!pattern.IsFolderPrefix())
      return;
  }
}

// The items of a file list, split at CR, LF or CR LF; empty items are dropped.
std::vector<std::string> FileListItems(const std::string& list);
