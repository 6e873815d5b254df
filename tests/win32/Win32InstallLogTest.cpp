// The install log's duplicate test against the locale comparison it stands
// for, CompareStringA with NORM_IGNORECASE: over every pair of cp1252
// characters, and over the ligatures and the soft hyphen inside longer texts.
#include "instutils/InstallLog.h"
#include "platform/win32/WindowsSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

bool LocaleEqual(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), int(a.size()), b.data(),
                        int(b.size())) == CSTR_EQUAL;
}

// True when a log holding a takes b for a duplicate.
bool LogFindsEqual(const std::string& a, const std::string& b) {
  TInstallLog log;
  log.Add(a);
  return log.Contains(b);
}

std::string Hex(const std::string& text) {
  std::string hex;
  for (unsigned char c : text) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02X ", c);
    hex += byte;
  }
  return hex;
}

class Win32InstallLogIndex : public ::testing::Test {
protected:
  void SetUp() override {
    if (GetACP() != 1252)
      GTEST_SKIP() << "the ANSI code page is not 1252";
  }
};

TEST_F(Win32InstallLogIndex, AgreesWithTheLocaleOverEveryPairOfCharacters) {
  int disagreements = 0;
  for (int a = 1; a < 256 && disagreements < 20; ++a) {
    for (int b = 1; b < 256 && disagreements < 20; ++b) {
      const std::string x(1, char(a)), y(1, char(b));
      if (LogFindsEqual(x, y) != LocaleEqual(x, y)) {
        ++disagreements;
        ADD_FAILURE() << Hex(x) << "against " << Hex(y) << ": the locale finds them "
                      << (LocaleEqual(x, y) ? "equal" : "different");
      }
    }
  }
}

// The ligatures against the letters they expand to, and the soft hyphen,
// alone and inside the lines the log really holds.
TEST_F(Win32InstallLogIndex, AgreesWithTheLocaleOnLigaturesAndTheSoftHyphen) {
  const std::pair<const char*, const char*> pairs[] = {{"\xE6", "ae"},
                                                       {"\xE6", "AE"},
                                                       {"\xC6", "ae"},
                                                       {"\x9C", "oe"},
                                                       {"\x8C", "OE"},
                                                       {"\x9C", "OE"},
                                                       {"\xDF", "ss"},
                                                       {"\xDF", "SS"},
                                                       {"\xE6", "a"},
                                                       {"\xDF", "s"},
                                                       {"\x9C", "o"},
                                                       {"\xE6", "ea"},
                                                       {"ab\xAD"
                                                        "c",
                                                        "abc"},
                                                       {"\xAD", ""},
                                                       {"a\xAD\xAD", "A"},
                                                       {"\xE6", "a\xAD"
                                                                "e"},
                                                       {"a-b", "ab"},
                                                       {"a'b", "ab"},
                                                       {"\xE9", "e"},
                                                       {"stra\xDF"
                                                        "e",
                                                        "STRASSE"}};
  for (const auto& [a, b] : pairs) {
    for (const std::string line : {"", "File Copy: C:\\Program Files\\"}) {
      const std::string x = line + a + ".txt", y = line + b + ".txt";
      EXPECT_EQ(LogFindsEqual(x, y), LocaleEqual(x, y)) << Hex(x) << "against " << Hex(y);
      EXPECT_EQ(LogFindsEqual(y, x), LocaleEqual(y, x)) << Hex(y) << "against " << Hex(x);
    }
  }
}

} // namespace
