// Shortcuts: the folder made for them, their log lines, a replaced shortcut,
// an accented name, and a system without shell links.
#include "instutils/Shortcut.h"

#include "instutils/InstallLog.h"
#include "instutils/Paths.h"

#include "support/ScopedInstallLog.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace {

// A shell that offers special folders but no shell-link object.
class NoLinkShell : public platform::Shell {
public:
  explicit NoLinkShell(platform::Shell& inner) : inner_(inner) {}
  std::optional<std::string> FolderPath(int csidl) override { return inner_.FolderPath(csidl); }
  std::unique_ptr<platform::ShellLink> NewShellLink() override { return nullptr; }

private:
  platform::Shell& inner_;
};

} // namespace

class ShortcutTest : public ::testing::Test {
protected:
  TestMachine machine;
  ScopedInstallLog log;
  std::string base = machine.Base();
  std::string program = base + "Brevanto\\kre.exe";

  // The program initialises the object model once at start-up; shell links need it.
  void SetUp() override {
    platform::Current().system->InitObjectModel();
    ForceDir(base + "Brevanto\\");
    ASSERT_TRUE(WriteStringToFile(program, "MZ"));
    InstallLog->Clear();
  }
  void TearDown() override { platform::Current().system->UninitObjectModel(); }
  void Create(const std::string& link) {
    CreateShortcut(link, program, base + "Brevanto\\", "Traitement de texte Brevanto");
  }
};

TEST_F(ShortcutTest, CreatesAMissingFolderAndLogsItBeforeTheShortcut) {
  std::string link = base + "Menu\\Brevanto\\Traitement de texte Brevanto.lnk";
  Create(link);
  EXPECT_TRUE(platform::Fs().IsFile(link));
  EXPECT_EQ(log.Lines(), (Lines{"Made Dir: " + base + "Menu\\",
                                "Made Dir: " + base + "Menu\\Brevanto\\", "File Copy: " + link}));
}

TEST_F(ShortcutTest, ReplacesAnExistingShortcutAndLogsItOnce) {
  std::string link = base + "Traitement de texte Brevanto.lnk";
  Create(link);
  Create(link);
  EXPECT_TRUE(platform::Fs().IsFile(link));
  EXPECT_EQ(log.Lines(), Lines{"File Copy: " + link});
}

TEST_F(ShortcutTest, KeepsAnAccentedNameAsGiven) {
  std::string name = "Modèles de document Brevanto.lnk";
  Create(base + name);
  std::vector<platform::DirEntry> entries;
  ASSERT_TRUE(platform::Fs().List(base, entries));
  bool found = false;
  for (const platform::DirEntry& entry : entries)
    found = found || entry.name == name;
  EXPECT_TRUE(found);
}

TEST_F(ShortcutTest, MakesNothingAndLogsNothingWithoutAShellLinkService) {
  NoLinkShell shell(*platform::Current().shell);
  platform::Platform replacement = platform::Current();
  replacement.shell = &shell;
  platform::ScopedPlatform scope(replacement);
  std::string link = base + "Menu\\Traitement de texte Brevanto.lnk";
  Create(link);
  EXPECT_FALSE(platform::Fs().IsFolder(base + "Menu\\"));
  EXPECT_FALSE(platform::Fs().IsFile(link));
  EXPECT_TRUE(log.Lines().empty());
}
