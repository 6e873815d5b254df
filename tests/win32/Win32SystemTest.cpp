// Process-wide services: the version, the application window, the program's
// own resources.
#include "platform/Platform.h"
#include "platform/Resources.h"
#include "platform/win32/AppWindow.h"

#include <gtest/gtest.h>

namespace {

TEST(Win32System, VersionIsAnNtFamilySystem) {
  const platform::OsVersion version = platform::Native().system->Version();
  EXPECT_EQ(version.platformId, 2u);
  EXPECT_GE(version.major, 5u);
}

TEST(Win32System, ApplicationIdentitySetsTheApplicationWindowTitle) {
  const std::string title = "Installation du traitement de texte Brevanto (Version Light) \xE9";
  platform::Native().system->SetApplicationIdentity(title);
  const HWND window = platform::win32::ApplicationWindow();
  if (!window)
    GTEST_SKIP() << "no window can be created here (no display)";
  char text[128] = {};
  GetWindowTextA(window, text, sizeof text);
  EXPECT_EQ(text, title);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, platform::win32::kApplicationWindowClass);
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST(Win32Resources, AMissingResourceIsNone) {
  EXPECT_FALSE(platform::OwnResource("FILES", "FILES"));
  EXPECT_FALSE(platform::OwnResource("NOSUCHTYPE", "FILES"));
}

} // namespace
