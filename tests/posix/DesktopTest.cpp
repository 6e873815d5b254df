// The emulated desktop: window properties of running programs, found by
// the running-copy test, and records of ended programs ignored.
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include "platform/posix/Desktop.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace platform::posix;
const std::string kProperty = "1.x Corvo Lune";

class DesktopTest : public ::testing::Test {
protected:
  bool Running() { return platform::Current().processes->AnyTopLevelWindowHasProperty(kProperty); }
  void WriteRecord(pid_t pid, const std::string& text) {
    std::ofstream(root + "/windows/" + std::to_string(pid)) << text;
  }

  TestMachine machine;
  std::string root = CurrentEmulatedMachine().Root();
};

TEST_F(DesktopTest, AWindowOfThisProcessIsFoundByItsPropertyIgnoringCase) {
  EXPECT_FALSE(Running());
  ASSERT_TRUE(RegisterTopLevelWindow(root, {{"Other", 5}, {kProperty, 1}}));
  EXPECT_TRUE(Running());
  EXPECT_TRUE(platform::Current().processes->AnyTopLevelWindowHasProperty("1.X CORVO LUNE"));
  EXPECT_FALSE(platform::Current().processes->AnyTopLevelWindowHasProperty("1.x Corvo"));
  UnregisterTopLevelWindow(root);
  EXPECT_FALSE(Running());
}

TEST_F(DesktopTest, APropertyOfValueZeroDoesNotCount) {
  ASSERT_TRUE(RegisterTopLevelWindow(root, {{kProperty, 0}}));
  EXPECT_FALSE(Running());
  UnregisterTopLevelWindow(root);
}

TEST_F(DesktopTest, RecordsOfEndedOrDifferentProcessesAreIgnored) {
  const pid_t child = fork();
  if (child == 0)
    _exit(0);
  waitpid(child, nullptr, 0);
  WriteRecord(child, kProperty + "=1\n");
  EXPECT_FALSE(Running());
  WriteRecord(getpid(), "# started 1\n" + kProperty + "=1\n"); // the number reused since
  EXPECT_FALSE(Running());
  WriteRecord(getpid(), "garbage\n=\n" + kProperty + "=x\n");
  EXPECT_FALSE(Running());
}

TEST_F(DesktopTest, AStartedProgramsWindowIsSeenWhileItRuns) {
  const std::string program = machine.HostPath(machine.Base() + "kre.exe");
  std::ofstream(program) << "#!/bin/sh\n"
                            "w=\"$BREVANTO_MACHINE/windows\"\n"
                            "echo '"
                         << kProperty
                         << "=1' > \"$w/.part$$\" && mv \"$w/.part$$\" \"$w/$$\"\n"
                            "exec sleep 30\n";
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  ASSERT_EQ(platform::Current().processes->Exec("\"C:\\t\\kre.exe\"", 5), 33u);
  pid_t started = 0;
  for (int i = 0; i < 1000 && !started; ++i) {
    for (const auto& entry : std::filesystem::directory_iterator(root + "/windows")) {
      const std::string name = entry.path().filename().string();
      if (name.find_first_not_of("0123456789") == std::string::npos)
        started = std::stoi(name);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(started, 0);
  EXPECT_TRUE(Running());
  kill(started, SIGTERM);
  for (int i = 0; i < 1000 && Running(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(Running());
}

} // namespace
