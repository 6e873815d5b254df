// Size texts in Ko and Mo, digit grouping, caption escaping and the
// case-insensitive comparison of cp1252 text.
#include "instutils/TextUtils.h"

#include <gtest/gtest.h>

TEST(FormatSize, ShowsKoBelowSixteenMoAndWholeMoFromThere) {
  const struct {
    int64_t bytes;
    const char* text;
  } cases[] = {
      {0, "0 Ko"},           {1023, "0 Ko"},           {1024, "1 Ko"},
      {1048576, "1 Mo"},     {1048577, "1 024 Ko"},    {16777214, "16 383 Ko"},
      {16777215, "16 Mo"},   {17301504, "16 Mo"}, // 16.5 Mo: the tie goes to the even figure
      {18350080, "18 Mo"},                        // 17.5 Mo
      {104857600, "100 Mo"}, {1073741824, "1 024 Mo"}, {5000000000, "4 768 Mo"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatSize(c.bytes), c.text) << c.bytes;
}

TEST(FormatSize, GroupsFiguresBeyondThirtyTwoBits) {
  EXPECT_EQ(FormatSize(int64_t(3000000) << 20), "3 000 000 Mo");
}

TEST(GroupDigits, PutsASpaceBetweenGroupsOfThreeFromTheRight) {
  EXPECT_EQ(GroupDigits(0), "0");
  EXPECT_EQ(GroupDigits(100), "100");
  EXPECT_EQ(GroupDigits(999), "999");
  EXPECT_EQ(GroupDigits(1000), "1 000");
  EXPECT_EQ(GroupDigits(12345), "12 345");
  EXPECT_EQ(GroupDigits(123456), "123 456");
  EXPECT_EQ(GroupDigits(1234567), "1 234 567");
  EXPECT_EQ(GroupDigits(2147483647), "2 147 483 647");
}

TEST(GroupDigits, KeepsTheSignOutOfTheGroups) {
  EXPECT_EQ(GroupDigits(-100), "-100");
  EXPECT_EQ(GroupDigits(-1000), "-1 000");
}

TEST(EscapeCaption, DoublesAmpersandsAndKeepsALoneHyphenFromBecomingALine) {
  EXPECT_EQ(EscapeCaption("-"), "- ");
  EXPECT_EQ(EscapeCaption("--"), "--");
  EXPECT_EQ(EscapeCaption("A&B&&C"), "A&&B&&&&C");
  EXPECT_EQ(EscapeCaption("&"), "&&");
  EXPECT_EQ(EscapeCaption(""), "");
  EXPECT_EQ(EscapeCaption("En-têtes & pieds de page"), "En-t\xEAtes && pieds de page");
}

TEST(SameTextNoCase, IgnoresCaseOfAccentedLettersButNotLength) {
  EXPECT_TRUE(SameTextNoCase("Modèles", "MODÈLES"));
  EXPECT_TRUE(SameTextNoCase("", ""));
  EXPECT_FALSE(SameTextNoCase("abc", "abc "));
  EXPECT_FALSE(SameTextNoCase("abc ", "abc"));
  EXPECT_FALSE(SameTextNoCase("Modeles", "Modèles"));
}

TEST(UpperCase, MapsCp1252AccentedLetters) {
  EXPECT_EQ(UpperCase("télécopies"), "T\xC9L\xC9"
                                     "COPIES");
  EXPECT_EQ(UpperCase("\xE7\xE0\xF4"), "\xC7\xC0\xD4");
}

TEST(StartsWithNoCase, ComparesOnlyThePrefixIgnoringCase) {
  EXPECT_TRUE(StartsWithNoCase("C:\\Program Files\\X", "c:\\PROGRAM files"));
  EXPECT_TRUE(StartsWithNoCase("abc", ""));
  EXPECT_FALSE(StartsWithNoCase("ab", "abc"));
  EXPECT_FALSE(StartsWithNoCase("xbc", "ab"));
}

TEST(CharEdits, RemoveAndReadSingleCharactersAndLeaveEmptyStringsAlone) {
  std::string s = "abc";
  EXPECT_EQ(LastChar(s), 'c');
  DeleteFirstChar(s);
  EXPECT_EQ(s, "bc");
  DeleteLastChar(s);
  EXPECT_EQ(s, "b");
  std::string empty;
  DeleteFirstChar(empty);
  DeleteLastChar(empty);
  EXPECT_EQ(empty, "");
  EXPECT_EQ(LastChar(empty), '\0');
}

// A name in a double-byte code page (932's lead bytes here): the second byte
// of a character may be an ASCII letter or a backslash, and stays as it is.
TEST(LowerCase, KeepsTwoByteCharactersWholeAndLowersTheRest) {
  const auto leadIn932 = [](uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0); };
  const struct {
    const char* name;
    const char* lowered;
  } kRows[] = {
      {"[\x83\x41\x83\x5A]", "[\x83\x41\x83\x5A]"},     // katakana whose second bytes are A and Z
      {"\x95\x5C\x8E\xA6 DOC", "\x95\x5C\x8E\xA6 doc"}, // a second byte that is a backslash
      {"DOC\x83", "doc\x83"},                           // a lead byte cut off at the end
  };
  for (const auto& row : kRows)
    EXPECT_EQ(LowerCase(row.name, +leadIn932), row.lowered) << row.name;
}
