// Case-insensitive comparison by the locale's cp1252 upper-casing, lower
// case derived from it, caption escaping and single-character edits.
#include "instutils/TextUtils.h"

#include "platform/Text.h"

#include <array>

std::string UpperCase(const std::string& s) {
  const uint8_t* upper = platform::UpperCaseTable();
  std::string result(s);
  for (char& c : result)
    c = static_cast<char>(upper[static_cast<uint8_t>(c)]);
  return result;
}

std::string LowerCase(const std::string& s, bool (*isLeadByte)(uint8_t)) {
  static const std::array<uint8_t, 256> lower = [] {
    const uint8_t* upper = platform::UpperCaseTable();
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c)
      table[c] = static_cast<uint8_t>(c);
    for (int c = 255; c >= 0; --c) {
      if (upper[c] != c)
        table[upper[c]] = static_cast<uint8_t>(c);
    }
    return table;
  }();
  std::string result(s);
  for (size_t i = 0; i < result.size(); ++i) {
    if (isLeadByte(static_cast<uint8_t>(result[i])))
      ++i;
    else
      result[i] = static_cast<char>(lower[static_cast<uint8_t>(result[i])]);
  }
  return result;
}

bool SameTextNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  return StartsWithNoCase(a, b);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size())
    return false;
  const uint8_t* upper = platform::UpperCaseTable();
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (upper[static_cast<uint8_t>(s[i])] != upper[static_cast<uint8_t>(prefix[i])])
      return false;
  }
  return true;
}

// A lone "-" would draw a separator line in a label; every "&" would mark an
// accelerator instead of showing itself.
std::string EscapeCaption(const std::string& text) {
  if (text == "-")
    return "- ";
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c == '&')
      result += '&';
    result += c;
  }
  return result;
}

char LastChar(const std::string& s) {
  return s.empty() ? '\0' : s.back();
}

void DeleteFirstChar(std::string& s) {
  if (!s.empty())
    s.erase(0, 1);
}

void DeleteLastChar(std::string& s) {
  if (!s.empty())
    s.pop_back();
}
