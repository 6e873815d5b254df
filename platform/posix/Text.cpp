// cp1252 upper-casing and comparison as a Western European Windows locale
// does them.
#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <string>

namespace platform {
namespace {

std::array<uint8_t, 256> MakeUpperCaseTable() {
  std::array<uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c)
    table[c] = uint8_t(c);
  for (int c = 'a'; c <= 'z'; ++c)
    table[c] = uint8_t(c - 0x20);
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7)
      table[c] = uint8_t(c - 0x20);
  }
  table[0x9A] = 0x8A; // s caron
  table[0x9C] = 0x8C; // oe
  table[0x9E] = 0x8E; // z caron
  table[0xFF] = 0x9F; // y diaeresis
  return table;
}

// The unaccented letter an upper-case cp1252 letter sorts with, or 0.
char BaseLetter(uint8_t upper) {
  if (upper >= 'A' && upper <= 'Z')
    return char(upper);
  if (upper >= 0xC0 && upper <= 0xDF) {
    static const char kLatin1[] = "AAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTS";
    return kLatin1[upper - 0xC0];
  }
  switch (upper) {
  case 0x83:
    return 'F';
  case 0x8A:
    return 'S';
  case 0x8C:
    return 'O';
  case 0x8E:
    return 'Z';
  case 0x9F:
    return 'Y';
  default:
    return 0;
  }
}

// Punctuation and symbols first, then digits, then letters by base letter.
int PrimaryWeight(uint8_t upper) {
  if (const char base = BaseLetter(upper))
    return 0x300 + (base - 'A');
  if (upper >= '0' && upper <= '9')
    return 0x200 + upper;
  return 0x100 + upper;
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

// A Western European Windows locale expands the ligatures and gives the soft
// hyphen no weight at all; every other byte is its upper case.
std::array<std::string, 256> MakeCompareFolds() {
  std::array<std::string, 256> folds;
  const uint8_t* upper = UpperCaseTable();
  for (int c = 0; c < 256; ++c)
    folds[c] = std::string(1, char(upper[c]));
  folds[0xC6] = folds[0xE6] = "AE";
  folds[0x8C] = folds[0x9C] = "OE";
  folds[0xDF] = "SS";
  folds[0xAD].clear();
  return folds;
}

} // namespace

std::string_view CompareFold(uint8_t byte) {
  static const std::array<std::string, 256> folds = MakeCompareFolds();
  return folds[byte];
}

const uint8_t* UpperCaseTable() {
  static const std::array<uint8_t, 256> table = MakeUpperCaseTable();
  return table.data();
}

// The emulated machine's code page is cp1252.
bool IsLeadByte(uint8_t) {
  return false;
}

int CompareTextNoCase(const std::string& a, const std::string& b) {
  const uint8_t* upper = UpperCaseTable();
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int diff = PrimaryWeight(upper[uint8_t(a[i])]) - PrimaryWeight(upper[uint8_t(b[i])]);
    if (diff != 0)
      return Sign(diff);
  }
  if (a.size() != b.size())
    return a.size() < b.size() ? -1 : 1;
  for (size_t i = 0; i < common; ++i) {
    const int diff = upper[uint8_t(a[i])] - upper[uint8_t(b[i])];
    if (diff != 0)
      return Sign(diff);
  }
  return 0;
}

} // namespace platform
