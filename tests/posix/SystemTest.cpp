// Process-wide services natively: the version from the machine, the message
// box on standard output, the application title, and the attached archive.
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include "platform/Resources.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(SystemServices, ReportTheConfiguredVersion) {
  TestMachine machine;
  const auto version = platform::Current().system->Version();
  EXPECT_EQ(version.platformId, 2u);
  EXPECT_EQ(version.major, 6u);
  EXPECT_EQ(version.minor, 1u);
  auto config = CurrentEmulatedMachine().Config();
  config.version = {2, 4, 0};
  ASSERT_TRUE(CurrentEmulatedMachine().SaveConfig(config));
  EXPECT_EQ(platform::Current().system->Version().major, 4u);
}

TEST(SystemServices, PrintTheMessageBoxAsUtf8Lines) {
  TestMachine machine;
  testing::internal::CaptureStdout();
  platform::Current().system->ShowMessageBox("Ce programme n\xE9"
                                             "cessite\rWindows 2000.",
                                             nullptr, platform::MessageIcon::Exclamation);
  platform::Current().system->ShowMessageBox("x", "T\xEEtre", platform::MessageIcon::Error);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "[Erreur]\nCe programme n\xC3\xA9"
                                                    "cessite\nWindows 2000.\n[T\xC3\xAEtre]\nx\n");
}

TEST(SystemServices, RememberTheApplicationTitle) {
  TestMachine machine;
  platform::Current().system->SetApplicationIdentity("Installation (Version Light)");
  EXPECT_EQ(CurrentEmulatedMachine().ApplicationTitle(), "Installation (Version Light)");
}

// Run in a fresh process: the archive is read once per process.
TEST(OwnResource, IsTheFileNamedByTheEnvironment) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string file = testing::TempDir() + "brevanto-files-test.z";
  std::ofstream(file, std::ios::binary) << std::string("x\0y", 3);
  setenv("BREVANTO_FILES", file.c_str(), 1);
  EXPECT_EXIT(
      {
        const auto bytes = platform::OwnResource("FILES", "files");
        const bool right =
            bytes && bytes->size() == 3 && std::memcmp(bytes->data(), "x\0y", 3) == 0;
        std::exit(right && !platform::OwnResource("FILES", "OTHER") ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
  unsetenv("BREVANTO_FILES");
  std::remove(file.c_str());
}

TEST(OwnResource, IsAbsentFromAProgramWithoutAnArchive) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  unsetenv("BREVANTO_FILES");
  EXPECT_EXIT(std::exit(platform::OwnResource("FILES", "FILES") ? 1 : 0),
              testing::ExitedWithCode(0), "");
}

} // namespace
