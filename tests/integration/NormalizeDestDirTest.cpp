// The normalisation of the typed destination: trimming, the drive box's
// drive for text without one, and the product folder added to a drive root
// or to the program-files folder itself, never to other folders.
#include "wizard/DestDirPage.h"

#include "instutils/Paths.h"
#include "instutils/TextUtils.h"
#include "platform/Constants.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  std::string typed;
  std::string expected;
};

void ExpectNormalised(const std::vector<Case>& cases, char drive) {
  for (const auto& c : cases)
    EXPECT_EQ(NormalizeDestDir(c.typed, drive), c.expected) << '"' << c.typed << '"';
}

} // namespace

TEST(NormalizeDestDir, KeepsFoldersTrimmedAndWithoutTrailingBackslash) {
  TestMachine machine;
  ExpectNormalised({{"  D:\\Outils  ", "D:\\Outils"},
                    {"D:\\Outils\\", "D:\\Outils"},
                    {"D:\\Outils\\Brevanto", "D:\\Outils\\Brevanto"},
                    {"\\\\serveur\\partage\\Logiciels", "\\\\serveur\\partage\\Logiciels"}},
                   'c');
}

TEST(NormalizeDestDir, AddsTheProductFolderToADriveRoot) {
  TestMachine machine;
  ExpectNormalised({{"D:", "D:\\Brevanto"},
                    {"D:\\", "D:\\Brevanto"},
                    {" e:\\ ", "e:\\Brevanto"},
                    {"D:\\\\", "D:\\Brevanto"}},
                   'c');
}

TEST(NormalizeDestDir, AddsTheProductFolderToTheProgramFilesFolderInAnyCase) {
  TestMachine machine;
  const std::string pf = GetSpecialFolder(csidl::kProgramFiles);
  ASSERT_FALSE(pf.empty());
  ExpectNormalised({{pf, pf + "\\Brevanto"},
                    {pf + "\\", pf + "\\Brevanto"},
                    {UpperCase(pf), UpperCase(pf) + "\\Brevanto"},
                    {LowerCase(pf) + "\\", LowerCase(pf) + "\\Brevanto"},
                    {JoinPath(pf, "Outils"), JoinPath(pf, "Outils")},
                    {pf + "x", pf + "x"}},
                   'c');
}

TEST(NormalizeDestDir, TextWithoutDriveBecomesTheDriveBoxDrivesProductFolder) {
  TestMachine machine;
  ExpectNormalised({{"", "c:\\Brevanto"},
                    {"   ", "c:\\Brevanto"},
                    {"Brevanto", "c:\\Brevanto"},
                    {"\\Outils", "c:\\Brevanto"},
                    {"\\\\serveur", "c:\\Brevanto"}},
                   'c');
  EXPECT_EQ(NormalizeDestDir("Outils\\Brevanto", 'e'), "e:\\Brevanto");
}

TEST(NormalizeDestDir, WithoutADriveInTheDriveBoxTheProgramFilesDriveStandsIn) {
  TestMachine machine;
  const std::string pf = GetSpecialFolder(csidl::kProgramFiles);
  ASSERT_FALSE(pf.empty());
  const std::string expected = LowerCase(pf.substr(0, 1)) + ":\\Brevanto";
  EXPECT_EQ(NormalizeDestDir("Brevanto", 0), expected);
}

// Folders that do not name what they seem to: a drive letter without its
// backslash would be relative to that drive's current folder, and a share
// root is a root like a drive's.
TEST(NormalizeDestDir, FoldersThatAreNotWhatTheyLookLike) {
  TestMachine machine;
  struct Row {
    std::string typed, expected, why;
  };
  for (const Row& row : std::vector<Row>{
           {"D:Outils", "D:\\Outils", "the backslash forgotten after the colon"},
           {" d:Outils\\Brevanto\\ ", "d:\\Outils\\Brevanto", "trimmed, then the backslash"},
           {"D:Outils\\", "D:\\Outils", "the trailing backslash still goes"},
           {"D:/Outils", "D:/Outils", "a slash is a separator too: absolute already"},
           {"\\\\serveur\\partage", "\\\\serveur\\partage\\Brevanto", "a share root"},
           {"\\\\serveur\\partage\\", "\\\\serveur\\partage\\Brevanto", "a share root, final \\"},
           {"\\\\serveur\\partage\\Outils", "\\\\serveur\\partage\\Outils", "a share's folder"},
       })
    EXPECT_EQ(NormalizeDestDir(row.typed, 'c'), row.expected) << row.why;
}
