// cp1252 case rules of the user's locale, from user32 and kernel32.
#include "platform/Text.h"

#include "platform/win32/WindowsSupport.h"

#include <array>
#include <climits>
#include <string>

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

bool LocaleEqual(const char* a, int aLength, const char* b, int bLength) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, aLength, b, bLength) == CSTR_EQUAL;
}

// The folds are asked of the locale itself, so that they agree with its
// comparison wherever it differs from upper-casing: a byte equal to the empty
// text is ignored, one equal to a pair of letters is that pair (the
// ligatures), and bytes equal to one another share the fold of the first.
std::array<std::string, 256> BuildCompareFolds() {
  static const char* const kExpansions[] = {"AE", "OE", "SS"};
  const uint8_t* upper = UpperCaseTable();
  std::array<std::string, 256> folds;
  folds[0] = std::string(1, '\0');
  for (int byte = 1; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    folds[byte] = std::string(1, static_cast<char>(upper[byte]));
    if (LocaleEqual(&c, 1, "", 0)) {
      folds[byte].clear();
      continue;
    }
    bool expanded = false;
    for (const char* pair : kExpansions) {
      if (!expanded && LocaleEqual(&c, 1, pair, 2)) {
        folds[byte] = pair;
        expanded = true;
      }
    }
    for (int earlier = 1; earlier < byte && !expanded; ++earlier) {
      const char e = static_cast<char>(earlier);
      if (folds[earlier].size() == 1 && LocaleEqual(&c, 1, &e, 1)) {
        folds[byte] = folds[earlier];
        break;
      }
    }
  }
  return folds;
}

} // namespace

std::string_view CompareFold(uint8_t byte) {
  static const std::array<std::string, 256> folds = BuildCompareFolds();
  return folds[byte];
}

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
