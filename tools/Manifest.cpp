// Parsing and writing manifest lines.
#include "tools/Manifest.h"

#include "engine/ArchiveReader.h"
#include "tools/Cp1252.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

// Reads exactly `width` decimal digits at pos.
bool ReadNumber(const std::string& s, size_t pos, size_t width, int& value) {
  if (pos + width > s.size())
    return false;
  value = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (s[i] < '0' || s[i] > '9')
      return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

// "YYYY-MM-DD HH:MM:SS", nothing more.
bool ParseDateTime(const std::string& s, CivilDateTime& t) {
  return s.size() == 19 && s[4] == '-' && s[7] == '-' && s[10] == ' ' && s[13] == ':' &&
         s[16] == ':' && ReadNumber(s, 0, 4, t.year) && ReadNumber(s, 5, 2, t.month) &&
         ReadNumber(s, 8, 2, t.day) && ReadNumber(s, 11, 2, t.hour) &&
         ReadNumber(s, 14, 2, t.minute) && ReadNumber(s, 17, 2, t.second);
}

bool ParseLine(const std::string& line, ManifestEntry& entry, std::string& error) {
  const size_t tab = line.find('\t');
  CivilDateTime when{};
  if (tab == std::string::npos || !ParseDateTime(line.substr(0, tab), when)) {
    error = "expected YYYY-MM-DD HH:MM:SS, a tab and a name";
    return false;
  }
  if (!EncodeArchiveDate(when, entry.date, error))
    return false;
  const std::string utf8Name = line.substr(tab + 1);
  if (!Utf8ToCp1252(utf8Name, entry.name)) {
    error = "name is not UTF-8 text that cp1252 can hold";
    return false;
  }
  if (entry.name.empty() || entry.name.size() > 255 || !IsSafeEntryName(entry.name)) {
    error = "name is empty, longer than 255 bytes, or could leave its destination folder";
    return false;
  }
  entry.path = utf8Name;
  std::replace(entry.path.begin(), entry.path.end(), '\\', '/');
  return true;
}

std::string NextLine(const std::string& text, size_t& pos) {
  size_t end = text.find('\n', pos);
  if (end == std::string::npos)
    end = text.size();
  std::string line = text.substr(pos, end - pos);
  pos = end + 1;
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return line;
}

} // namespace

bool ParseManifest(const std::string& text, std::vector<ManifestEntry>& entries,
                   std::string& error) {
  entries.clear();
  std::set<std::string> seen;
  size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  for (int number = 1; pos < text.size(); ++number) {
    const std::string line = NextLine(text, pos);
    if (line.empty() || line[0] == '#')
      continue;
    ManifestEntry entry;
    std::string why;
    if (!ParseLine(line, entry, why)) {
      error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
    if (!seen.insert(UpperCp1252(entry.name)).second) {
      error = "line " + std::to_string(number) + ": name already listed (ignoring case)";
      return false;
    }
    entries.push_back(std::move(entry));
  }
  return true;
}

std::string ManifestLine(const CivilDateTime& when, const std::string& name) {
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d:%02d", when.year, when.month, when.day,
                when.hour, when.minute, when.second);
  return std::string(date) + "\t" + Cp1252ToUtf8(name) + "\n";
}
