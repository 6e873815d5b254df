// cp1252 case rules of the user's locale, from user32 and kernel32.
#include "platform/Text.h"

#include "platform/win32/WindowsSupport.h"

#include <array>
#include <climits>

namespace platform {
namespace {

std::array<uint8_t, 256> BuildUpperCaseTable() {
  std::array<uint8_t, 256> table{};
  for (int byte = 1; byte < 256; ++byte) {
    char c = static_cast<char>(byte);
    CharUpperBuffA(&c, 1);
    table[byte] = static_cast<uint8_t>(c);
  }
  return table;
}

// Byte order of the upper-cased texts: the answer when the locale
// comparison itself fails, so that different texts never compare equal.
int CompareUpperCased(const std::string& a, const std::string& b) {
  const uint8_t* upper = UpperCaseTable();
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const int d = upper[uint8_t(a[i])] - upper[uint8_t(b[i])];
    if (d != 0)
      return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

} // namespace

const uint8_t* UpperCaseTable() {
  static const std::array<uint8_t, 256> table = BuildUpperCaseTable();
  return table.data();
}

int CompareTextNoCase(const std::string& a, const std::string& b) {
  if (a.size() > INT_MAX || b.size() > INT_MAX)
    return CompareUpperCased(a, b);
  const int result =
      CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                     b.data(), static_cast<int>(b.size()));
  if (result == 0)
    return CompareUpperCased(a, b);
  return result - CSTR_EQUAL;
}

} // namespace platform
