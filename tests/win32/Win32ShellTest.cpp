// Special folders and shell links through the real shell.
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/win32/Handles.h"
#include "support/TestMachine.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

using platform::win32::ComPtr;

namespace {

platform::Shell& TheShell() {
  return *platform::Native().shell;
}

TEST(Win32Shell, TheSevenSpecialFoldersAreAbsolutePaths) {
  for (int csidl :
       {csidl::kPrograms, csidl::kPersonal, csidl::kDesktopDirectory, csidl::kCommonPrograms,
        csidl::kCommonDesktopDirectory, csidl::kCommonAppData, csidl::kProgramFiles}) {
    const auto folder = TheShell().FolderPath(csidl);
    ASSERT_TRUE(folder) << "CSIDL " << csidl;
    ASSERT_GE(folder->size(), 3u);
    EXPECT_EQ(folder->substr(1, 2), ":\\") << *folder;
    EXPECT_NE(folder->back(), '\\') << *folder;
  }
}

TEST(Win32Shell, AnUnknownSpecialFolderIsNone) {
  EXPECT_FALSE(TheShell().FolderPath(0x7F));
}

// What a saved link holds, read back through a second shell-link object.
struct SavedLink {
  std::string target, folder, description;
};

SavedLink LoadLink(const std::string& file) {
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> persist;
  SavedLink saved;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.Receive())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persist.Receive())) ||
      FAILED(persist->Load(WideOfAnsi(file).c_str(), STGM_READ)))
    return saved;
  char text[MAX_PATH] = {};
  link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
  saved.target = text;
  link->GetWorkingDirectory(text, MAX_PATH);
  saved.folder = text;
  link->GetDescription(text, MAX_PATH);
  saved.description = text;
  return saved;
}

class Win32ShellLink : public ::testing::Test {
protected:
  void SetUp() override { platform::Native().system->InitObjectModel(); }
  void TearDown() override { platform::Native().system->UninitObjectModel(); }

  TestMachine machine;
};

TEST_F(Win32ShellLink, SavesUnderAnAccentedNameAndReadsBack) {
  if (GetACP() != 1252)
    GTEST_SKIP() << "the ANSI code page is not 1252";
  const std::string target = machine.Base() + "kre.exe";
  const std::string file = machine.Base() + "Traitement de texte \xE9t\xE9.lnk";
  const std::string description = "Traitement de texte compact, rapide, puissant.";
  for (int pass = 0; pass < 2; ++pass) {
    auto link = TheShell().NewShellLink();
    ASSERT_TRUE(link);
    link->SetPath(target);
    link->SetWorkingDirectory(machine.Base());
    link->SetDescription(description);
    ASSERT_TRUE(link->Save(file));
  }
  EXPECT_TRUE(
      WideNameExists(WideOfAnsi(machine.Base()) + L"Traitement de texte \u00e9t\u00e9.lnk"));
  const SavedLink saved = LoadLink(file);
  EXPECT_EQ(saved.target, target);
  EXPECT_EQ(saved.folder, machine.Base());
  EXPECT_EQ(saved.description, description);
}

TEST_F(Win32ShellLink, SavingIntoAMissingFolderFails) {
  auto link = TheShell().NewShellLink();
  ASSERT_TRUE(link);
  link->SetPath(machine.Base() + "kre.exe");
  EXPECT_FALSE(link->Save(machine.Base() + "missing\\x.lnk"));
}

} // namespace
