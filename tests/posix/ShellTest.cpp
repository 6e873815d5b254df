// Shell services of the emulated machine: special folders and shell links
// that start their target in their working folder.
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include "platform/Constants.h"
#include "platform/posix/HostIo.h"
#include "platform/posix/ShellLinkFile.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

platform::Shell& Sh() {
  return *platform::Current().shell;
}

TEST(SpecialFolders, AreTheWindowsDefaultsAndExist) {
  TestMachine machine;
  const std::pair<int, const char*> expected[] = {
      {csidl::kPrograms,
       "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {csidl::kPersonal, "C:\\Users\\user\\Documents"},
      {csidl::kDesktopDirectory, "C:\\Users\\user\\Desktop"},
      {csidl::kCommonPrograms, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {csidl::kCommonDesktopDirectory, "C:\\Users\\Public\\Desktop"},
      {csidl::kCommonAppData, "C:\\ProgramData"},
      {csidl::kProgramFiles, "C:\\Program Files"}};
  for (const auto& [csidl, path] : expected) {
    EXPECT_EQ(Sh().FolderPath(csidl), path);
    EXPECT_TRUE(platform::Fs().IsFolder(path)) << path;
  }
  EXPECT_FALSE(Sh().FolderPath(0x1C)); // local application data: not offered
  EXPECT_FALSE(Sh().FolderPath(-1));
}

TEST(SpecialFolders, CanBeMadeToFail) {
  TestMachine machine;
  auto config = CurrentEmulatedMachine().Config();
  config.failingFolders = {csidl::kPersonal};
  ASSERT_TRUE(CurrentEmulatedMachine().SaveConfig(config));
  EXPECT_FALSE(Sh().FolderPath(csidl::kPersonal));
  EXPECT_TRUE(Sh().FolderPath(csidl::kProgramFiles));
}

class ShellLinkTest : public ::testing::Test {
protected:
  bool SaveLink(const std::string& file) {
    auto link = Sh().NewShellLink();
    link->SetPath(target);
    link->SetWorkingDirectory(folder);
    link->SetDescription("Traitement de texte Brevanto");
    return link->Save(file);
  }

  TestMachine machine;
  std::string base = machine.Base();
  std::string folder = base + "Dossier \xE9t\xE9 'x'";
  std::string target = folder + "\\kre.exe";
};

TEST_F(ShellLinkTest, SavesAScriptThatReadsBackAsTheLink) {
  ASSERT_TRUE(SaveLink(base + "Traitement \xE9.lnk"));
  const std::string host = machine.HostPath(base + "TRAITEMENT \xC9.LNK");
  const auto info = platform::posix::ReadShellLink(host);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->target, target);
  EXPECT_EQ(info->workingDirectory, folder);
  EXPECT_EQ(info->description, "Traitement de texte Brevanto");
  struct stat st {};
  ASSERT_EQ(stat(host.c_str(), &st), 0);
  EXPECT_NE(st.st_mode & S_IXUSR, 0u);
  ASSERT_TRUE(SaveLink(base + "Traitement \xE9.lnk")); // replaces it
}

TEST_F(ShellLinkTest, RunningTheLinkStartsTheTargetInTheWorkingFolder) {
  ASSERT_TRUE(platform::Fs().CreateFolder(folder));
  const std::string hostFolder = machine.HostPath(folder);
  std::ofstream(machine.HostPath(target)) << "#!/bin/sh\npwd > ran.txt\necho \"$1\" >> ran.txt\n";
  chmod(machine.HostPath(target).c_str(), 0755);
  ASSERT_TRUE(SaveLink(base + "go.lnk"));
  ASSERT_EQ(std::system(("'" + machine.HostPath(base + "go.lnk") + "' arg").c_str()), 0);
  EXPECT_EQ(platform::posix::ReadHostFile(hostFolder + "/ran.txt"), hostFolder + "\narg\n");
}

TEST_F(ShellLinkTest, CannotBeSavedIntoAMissingFolder) {
  EXPECT_FALSE(SaveLink(base + "absent\\go.lnk"));
  EXPECT_FALSE(SaveLink("Q:\\go.lnk"));
}

TEST(ShellLinkScript, OnlyLinkScriptsAreRead) {
  EXPECT_FALSE(platform::posix::ParseShellLinkScript("#!/bin/sh\necho hi\n"));
  EXPECT_FALSE(platform::posix::ParseShellLinkScript(""));
  const auto info = platform::posix::ParseShellLinkScript(
      platform::posix::FormatShellLinkScript({"C:\\a.exe", "", "line\rbreak"}, "", ""));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->target, "C:\\a.exe");
  EXPECT_EQ(info->description, "line break");
}

} // namespace
