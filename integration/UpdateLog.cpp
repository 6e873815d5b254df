// Merging the public files of an installation into "Update.log".
#include "integration/UpdateLog.h"

#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/LittleEndian.h"
#include "platform/Platform.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdint>

namespace {

bool LessNoCase(const std::string& a, const std::string& b) {
  return platform::CompareTextNoCase(a, b) < 0;
}

bool IsStamp(const std::string& line) {
  return !line.empty() && line[0] == '*';
}

bool Listed(const std::vector<std::string>& sorted, const std::string& line) {
  return std::binary_search(sorted.begin(), sorted.end(), line, LessNoCase);
}

void DropBlankAndListed(std::vector<std::string>& lines, const std::vector<std::string>& sorted) {
  std::erase_if(lines,
                [&](const std::string& line) { return line.empty() || Listed(sorted, line); });
}

// From the end backwards, a stamp directly after another stamp goes.
void DropLaterOfAdjacentStamps(std::vector<std::string>& lines) {
  for (size_t i = lines.size(); i-- > 1;) {
    if (IsStamp(lines[i]) && IsStamp(lines[i - 1]))
      lines.erase(lines.begin() + i);
  }
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

} // namespace

std::string UpdateStampLine(double installTime) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string line = "*";
  for (char c : DateTimeBytes(installTime)) {
    const uint8_t byte = uint8_t(c);
    line += kDigits[byte >> 4];
    line += kDigits[byte & 0xF];
  }
  return line;
}

void SortUpdateList(std::vector<std::string>& lines) {
  std::stable_sort(lines.begin(), lines.end(), LessNoCase);
}

std::vector<std::string> MergeUpdateLog(std::vector<std::string> old,
                                        const std::vector<std::string>& sortedList,
                                        double installTime) {
  DropBlankAndListed(old, sortedList);
  DropLaterOfAdjacentStamps(old);
  if (!old.empty() && IsStamp(old.back()))
    old.pop_back();
  old.push_back(UpdateStampLine(installTime));
  old.insert(old.end(), sortedList.begin(), sortedList.end());
  return old;
}

bool WriteUpdateLog(const TSetupState& state, std::vector<std::string>& updateList,
                    TUpdateLogFailure* failure) {
  if (updateList.empty())
    return true;
  SortUpdateList(updateList);
  const std::string path = GetDataFolder(state, dfCommon) + "Update.log";
  auto fail = [&](bool reading, platform::IoStatus status) {
    if (failure)
      *failure = {path, reading, status};
    return false;
  };
  std::vector<std::string> old;
  if (platform::Fs().IsFile(path)) {
    std::string text;
    const platform::IoStatus read = platform::Fs().ReadFile(path, text);
    if (read != platform::IoStatus::Ok)
      return fail(true, read);
    old = SplitLines(text);
  }
  const std::string merged =
      JoinCrLf(MergeUpdateLog(std::move(old), updateList, state.InstallTime));
  const platform::IoStatus saved =
      platform::Fs().ReplaceFile(path, merged.data(), merged.size(), nullptr);
  if (saved != platform::IoStatus::Ok)
    return fail(false, saved);
  return true;
}
