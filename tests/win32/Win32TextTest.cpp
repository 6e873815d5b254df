// cp1252 case rules of the user's locale as Windows reports them.
#include "platform/Text.h"
#include "platform/win32/WindowsSupport.h"

#include <gtest/gtest.h>

namespace {

class Win32Text : public ::testing::Test {
protected:
  void SetUp() override {
    if (GetACP() != 1252)
      GTEST_SKIP() << "the ANSI code page is not 1252";
  }
};

TEST_F(Win32Text, UpperCaseTableFollowsCp1252) {
  const uint8_t* upper = platform::UpperCaseTable();
  EXPECT_EQ(upper[0xE9], 0xC9); // é -> É
  EXPECT_EQ(upper[0xE7], 0xC7); // ç -> Ç
  EXPECT_EQ(upper[0x9C], 0x8C); // œ -> Œ
  EXPECT_EQ(upper[0x9A], 0x8A); // š -> Š
  EXPECT_EQ(upper['a'], 'A');
  EXPECT_EQ(upper['Z'], 'Z');
  EXPECT_EQ(upper['1'], '1');
  EXPECT_EQ(upper['\\'], '\\');
  EXPECT_EQ(upper[0xC9], 0xC9);
  EXPECT_EQ(upper[0], 0);
  EXPECT_EQ(upper[0xDF], 0xDF); // ß has no single upper-case letter
}

TEST_F(Win32Text, CompareTextNoCaseIgnoresCaseOfAccentedLetters) {
  using platform::CompareTextNoCase;
  EXPECT_EQ(CompareTextNoCase("Mod\xE8les", "MOD\xC8LES"), 0);
  EXPECT_EQ(CompareTextNoCase("File Copy: C:\\A\\x.txt", "file copy: c:\\a\\X.TXT"), 0);
  EXPECT_LT(CompareTextNoCase("abc", "ABD"), 0);
  EXPECT_GT(CompareTextNoCase("abd", "ABC"), 0);
  EXPECT_NE(CompareTextNoCase("abc", "abc "), 0);
  EXPECT_NE(CompareTextNoCase("a\xE9", "ae"), 0);
  EXPECT_EQ(CompareTextNoCase("", ""), 0);
}

} // namespace
