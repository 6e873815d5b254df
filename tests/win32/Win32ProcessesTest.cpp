// Starting programs and finding windows by property, on the real system.
#include "platform/Platform.h"
#include "platform/win32/DesktopShellLaunch.h"
#include "platform/win32/WindowsSupport.h"
#include "support/Eventually.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

namespace {

platform::Processes& TheProcesses() {
  return *platform::Native().processes;
}

constexpr char kProperty[] = "Brevanto test property";

// A hidden top-level window of this thread, destroyed with the object.
class HiddenWindow {
public:
  HiddenWindow()
      : window_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr)) {}
  ~HiddenWindow() {
    if (window_) {
      RemovePropA(window_, kProperty);
      DestroyWindow(window_);
    }
  }
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;

  HWND Get() const { return window_; }

private:
  HWND window_;
};

TEST(Win32Processes, AWindowPropertyIsFoundOnlyWhileItIsNonZero) {
  HiddenWindow window;
  if (!window.Get())
    GTEST_SKIP() << "no window can be created here (no display)";
  EXPECT_FALSE(TheProcesses().AnyTopLevelWindowHasProperty(kProperty));
  ASSERT_TRUE(SetPropA(window.Get(), kProperty, reinterpret_cast<HANDLE>(1)));
  EXPECT_TRUE(TheProcesses().AnyTopLevelWindowHasProperty(kProperty));
  ASSERT_TRUE(SetPropA(window.Get(), kProperty, nullptr));
  EXPECT_FALSE(TheProcesses().AnyTopLevelWindowHasProperty(kProperty));
}

TEST(Win32Processes, ExecStartsACommandLineWithoutWaiting) {
  TestMachine machine;
  const std::string made = machine.Base() + "made by cmd";
  // Appended piece by piece: "literal" + string trips a false -Wrestrict in GCC 12.
  std::string command = "cmd.exe /c mkdir \"";
  command += made;
  command += '"';
  EXPECT_GT(TheProcesses().Exec(command, SW_HIDE), 31u);
  EXPECT_TRUE(Eventually([&] { return platform::Native().files->IsFolder(made); }));
}

// The word processor is started in the folder given (its install folder),
// not in the setup's current folder: a batch file without arguments writes
// the folder it starts in. The direct start is checked: under Wine every
// process is elevated, and Launch then goes through the desktop's shell,
// which this test program's session does not offer.
TEST(Win32Processes, StartInStartsTheProgramInTheFolderGiven) {
  TestMachine machine;
  const std::string folder = machine.Base() + "Dossier d'installation";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string written = machine.Base() + "started in.txt";
  const std::string batch = machine.Base() + "where.bat";
  std::string script = "@cd > \"";
  script += written;
  script += "\"\r\n";
  ASSERT_EQ(platform::Native().files->ReplaceFile(batch, script.data(), script.size(), nullptr),
            platform::IoStatus::Ok);
  std::string command = "\"";
  command += batch;
  command += '"';
  EXPECT_TRUE(platform::win32::StartIn(command, folder, SW_HIDE));
  std::string text;
  EXPECT_TRUE(Eventually([&] {
    return platform::Native().files->ReadFile(written, text) == platform::IoStatus::Ok &&
           text.find('\n') != std::string::npos;
  }));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  EXPECT_EQ(
      CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), -1, folder.c_str(), -1),
      CSTR_EQUAL)
      << text;
}

TEST(Win32Processes, ExecOfAMissingProgramFails) {
  TestMachine machine;
  std::string command = "\"";
  command += machine.Base();
  command += "none.exe\"";
  EXPECT_LE(TheProcesses().Exec(command, SW_HIDE), 31u);
}

} // namespace
