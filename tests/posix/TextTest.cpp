// cp1252 upper-casing and comparison as the Western locale does them.
#include "platform/Text.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using platform::CompareTextNoCase;

TEST(UpperCaseTable, FollowsTheWesternLocale) {
  const uint8_t* upper = platform::UpperCaseTable();
  for (int c = 0; c < 256; ++c) {
    int expected = c;
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
      expected = c - 0x20;
    if (c == 0x9A || c == 0x9C || c == 0x9E)
      expected = c - 0x10;
    if (c == 0xFF)
      expected = 0x9F;
    EXPECT_EQ(upper[c], expected) << "byte " << c;
  }
}

TEST(CompareTextNoCase, IsZeroExactlyWhenTheUpperCasesAreEqual) {
  EXPECT_EQ(CompareTextNoCase("Mod\xE8les", "MOD\xC8LES"), 0);
  EXPECT_EQ(CompareTextNoCase("\x9C\xFF", "\x8C\x9F"), 0);
  EXPECT_EQ(CompareTextNoCase("", ""), 0);
  EXPECT_NE(CompareTextNoCase("abc", "abc "), 0);
  EXPECT_NE(CompareTextNoCase("stra\xDF"
                              "e",
                              "STRASSE"),
            0); // sharp s has no upper case here
  EXPECT_NE(CompareTextNoCase("e", "\xE9"), 0);
}

TEST(CompareTextNoCase, IsAntisymmetric) {
  const std::string words[] = {"",    "a", "B", "\xE9t\xE9", "ete",
                               "Etf", "1", "-", "zz",        "\xC9T\xC9"};
  for (const auto& a : words) {
    for (const auto& b : words)
      EXPECT_EQ(CompareTextNoCase(a, b), -CompareTextNoCase(b, a)) << a << " / " << b;
  }
}

TEST(CompareTextNoCase, SortsAccentedLettersBesideTheirBaseLetter) {
  EXPECT_LT(CompareTextNoCase("ete", "\xE9t\xE9"), 0);
  EXPECT_LT(CompareTextNoCase("\xE9t\xE9", "etf"), 0);
  EXPECT_LT(CompareTextNoCase("\xC9"
                              "cole",
                              "ecolf"),
            0);
  EXPECT_LT(CompareTextNoCase("\xE7"
                              "a",
                              "d"),
            0);
  EXPECT_LT(CompareTextNoCase("Z", "\x9E"
                                   "a"),
            0);
  EXPECT_LT(CompareTextNoCase("abc", "ABCD"), 0);
}

TEST(CompareTextNoCase, PutsPunctuationBeforeDigitsBeforeLetters) {
  EXPECT_LT(CompareTextNoCase("_x", "1"), 0);
  EXPECT_LT(CompareTextNoCase("9", "a"), 0);
  EXPECT_LT(CompareTextNoCase("[", "A"), 0); // '[' follows the letters in byte order
}

} // namespace
