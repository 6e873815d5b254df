// cp1252 case rules of the user's locale, from user32 and kernel32.
#include "platform/Text.h"

#include "platform/win32/WindowsSupport.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <vector>

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

bool LocaleLess(uint8_t a, uint8_t b) {
  const char x = static_cast<char>(a), y = static_cast<char>(b);
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, &x, 1, &y, 1) == CSTR_LESS_THAN;
}

// The bytes in the locale's order, equal ones in byte order: a merge sort,
// about 1,500 comparisons for the whole code page, which stays within its
// bounds whatever the comparison answers.
std::vector<uint8_t> SortedByLocale(std::vector<uint8_t> bytes) {
  std::vector<uint8_t> merged(bytes.size());
  for (size_t width = 1; width < bytes.size(); width *= 2) {
    for (size_t left = 0; left < bytes.size(); left += 2 * width) {
      const size_t middle = std::min(left + width, bytes.size());
      const size_t end = std::min(left + 2 * width, bytes.size());
      size_t i = left, j = middle, out = left;
      while (i < middle && j < end)
        merged[out++] = LocaleLess(bytes[j], bytes[i]) ? bytes[j++] : bytes[i++];
      while (i < middle)
        merged[out++] = bytes[i++];
      while (j < end)
        merged[out++] = bytes[j++];
    }
    bytes.swap(merged);
  }
  return bytes;
}

// The folds are asked of the locale itself, so that they agree with its
// comparison wherever it differs from upper-casing: a byte equal to the empty
// text is ignored, one equal to a pair of letters is that pair (the
// ligatures), and bytes equal to one another share the upper case of the
// lowest of them. Those are found among the others sorted by the locale,
// where equal bytes stand side by side: comparing every byte with every
// earlier one took some 30,000 comparisons, a few milliseconds paid by the
// first line logged.
std::array<std::string, 256> BuildCompareFolds() {
  static const char* const kExpansions[] = {"AE", "OE", "SS"};
  const uint8_t* upper = UpperCaseTable();
  std::array<std::string, 256> folds;
  folds[0] = std::string(1, '\0');
  std::vector<uint8_t> single;
  for (int byte = 1; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    if (LocaleEqual(&c, 1, "", 0))
      continue;
    bool expanded = false;
    for (const char* pair : kExpansions) {
      if (!expanded && LocaleEqual(&c, 1, pair, 2)) {
        folds[byte] = pair;
        expanded = true;
      }
    }
    if (!expanded)
      single.push_back(static_cast<uint8_t>(byte));
  }
  const std::vector<uint8_t> sorted = SortedByLocale(std::move(single));
  for (size_t first = 0, end = 0; first < sorted.size(); first = end) {
    uint8_t lowest = sorted[first];
    for (end = first + 1; end < sorted.size(); ++end) {
      const char a = static_cast<char>(sorted[end - 1]), b = static_cast<char>(sorted[end]);
      if (!LocaleEqual(&a, 1, &b, 1))
        break;
      lowest = std::min(lowest, sorted[end]);
    }
    for (size_t k = first; k < end; ++k)
      folds[sorted[k]] = std::string(1, static_cast<char>(upper[lowest]));
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

bool IsLeadByte(uint8_t byte) {
  return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
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
