// "Update.log" in the common data folder: groups of public files, each
// headed by the stamp line of the installation that placed them.
#pragma once

#include "integration/SetupState.h"
#include "platform/Files.h"

#include <string>
#include <vector>

// "*" and the 16 upper-case hex digits of the date-time's 8 bytes in memory
// (little-endian) order, each byte high digit first.
std::string UpdateStampLine(double installTime);

// Sorts lines in the case-insensitive order of the user's locale.
void SortUpdateList(std::vector<std::string>& lines);

// The new content of the log: the old lines without blank lines, without the
// lines listed again, without a stamp line directly after another and
// without a stamp line at the end; then the new stamp and the sorted list.
std::vector<std::string> MergeUpdateLog(std::vector<std::string> old,
                                        const std::vector<std::string>& sortedList,
                                        double installTime);

// Why the log could not be merged: its path, whether reading or saving
// failed, and the file system's answer.
struct TUpdateLogFailure {
  std::string Path;
  bool Reading = false;
  platform::IoStatus Status = platform::IoStatus::Other;
};

// Merges updateList (sorted in place) into the log and saves it atomically.
// Does nothing and succeeds when the list is empty. False when the old log
// cannot be read or the new one cannot be saved; the old file is then intact
// and, when given, failure tells why.
bool WriteUpdateLog(const TSetupState& state, std::vector<std::string>& updateList,
                    TUpdateLogFailure* failure = nullptr);
