// Entry-name matching over the locale's cp1252 upper-case table.
#include "engine/NameMatch.h"

#include "platform/Text.h"

TNamePattern::TNamePattern(const std::string& pattern)
    : upper_(pattern), table_(platform::UpperCaseTable()),
      folder_(!pattern.empty() && pattern.back() == '\\') {
  for (char& c : upper_)
    c = static_cast<char>(table_[static_cast<uint8_t>(c)]);
}

bool TNamePattern::Matches(const std::string& name) const {
  if (folder_ ? name.size() < upper_.size() : name.size() != upper_.size())
    return false;
  return SamePrefix(name);
}

bool TNamePattern::SamePrefix(const std::string& name) const {
  for (size_t i = 0; i < upper_.size(); ++i) {
    if (table_[static_cast<uint8_t>(name[i])] != static_cast<uint8_t>(upper_[i]))
      return false;
  }
  return true;
}

std::vector<std::string> FileListItems(const std::string& list) {
  std::vector<std::string> items;
  size_t begin = 0;
  while (begin < list.size()) {
    size_t end = list.find_first_of("\r\n", begin);
    if (end == std::string::npos)
      end = list.size();
    if (end > begin)
      items.push_back(list.substr(begin, end - begin));
    begin = end + 1;
  }
  return items;
}
