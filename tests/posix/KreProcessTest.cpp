// The built stand-in word processor, started through Processes::Exec on a
// fresh emulated machine: it logs the association and removal commands and
// ends, and otherwise keeps a marked window until it is stopped or closed.
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/posix/HostIo.h"
#include "tools/kre/Kre.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#ifndef BREVANTO_KRE
#error "BREVANTO_KRE names the built stand-in word processor"
#endif

namespace {

namespace fs = std::filesystem;

// Polls until done() holds; false after 10 s.
bool WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 1000; ++i) {
    if (done())
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class KreProcess : public ::testing::Test {
protected:
  void SetUp() override {
    folder = machine.Base() + "Traitement de texte\\";
    ASSERT_TRUE(platform::Fs().CreateFolder(folder));
    program = machine.HostPath(folder + "kre.exe");
    fs::copy_file(BREVANTO_KRE, program);
    quoted = "\"" + folder + "kre.exe\"";
  }

  void TearDown() override {
    for (pid_t pid : Copies())
      kill(pid, SIGKILL);
  }

  unsigned Exec(const std::string& commandLine) {
    return platform::Current().processes->Exec(commandLine, show::kShow);
  }

  // The processes running this test's copy of the program.
  std::vector<pid_t> Copies() const {
    std::vector<pid_t> pids;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
      const std::string name = entry.path().filename();
      if (name.find_first_not_of("0123456789") != std::string::npos)
        continue;
      std::error_code gone;
      if (fs::read_symlink(entry.path() / "exe", gone) == program)
        pids.push_back(std::stoi(name));
    }
    return pids;
  }

  bool Marked() {
    return platform::Current().processes->AnyTopLevelWindowHasProperty(kre::kRunningProperty);
  }

  std::string Log() const {
    return platform::posix::ReadHostFile(machine.HostPath(folder + kre::kCommandLogName))
        .value_or("");
  }

  std::string LastRunVer() {
    platform::Registry& registry = *platform::Current().registry;
    platform::Registry::Key key =
        registry.CreateKey(platform::RegRoot::CurrentUser, nullptr, kre::kInternalKey);
    uint32_t type = 0;
    std::string data;
    if (!registry.QueryValue(key, kre::kLastRunValue, &type, &data) || type != regtype::kDword)
      data.clear();
    registry.CloseKey(key);
    return data;
  }

  // Starts a copy with the launch command and waits for its marked window.
  pid_t Launch(const std::string& args = "") {
    EXPECT_EQ(Exec(quoted + args), 33u);
    EXPECT_TRUE(WaitUntil([&] { return Marked(); }));
    std::vector<pid_t> pids = Copies();
    EXPECT_EQ(pids.size(), 1u);
    return pids.empty() ? 0 : pids.front();
  }

  // Runs the program directly, not through Exec, with only the machine (and
  // extra) in its environment; its exit status.
  int Spawn(const std::vector<std::string>& args, const std::string& extraEnv = "") {
    std::vector<std::string> texts{program};
    texts.insert(texts.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
      argv.push_back(text.data());
    argv.push_back(nullptr);
    std::string machineEnv = "BREVANTO_MACHINE=" + CurrentEmulatedMachine().Root();
    std::string extra = extraEnv;
    std::vector<char*> envp{machineEnv.data()};
    if (!extra.empty())
      envp.push_back(extra.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
      return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
  }

  std::string WindowRecord(pid_t pid) const {
    return CurrentEmulatedMachine().Root() + "/windows/" + std::to_string(pid);
  }

  TestMachine machine;
  std::string folder;
  std::string program;
  std::string quoted;
};

TEST_F(KreProcess, AssociationAndRemovalCommandsAreLoggedExactlyAndEndAtOnce) {
  const std::string assoc = quoted + " -assoc adpr_cod";
  ASSERT_EQ(Exec(assoc), 33u);
  ASSERT_TRUE(WaitUntil([&] { return !Log().empty(); }));
  EXPECT_EQ(Log(), assoc + "\r\n");
  EXPECT_TRUE(WaitUntil([&] { return Copies().empty(); }));

  const std::string remove = quoted + " -ui";
  ASSERT_EQ(Exec(remove), 33u);
  ASSERT_TRUE(WaitUntil([&] { return Log().size() > assoc.size() + 2; }));
  EXPECT_EQ(Log(), assoc + "\r\n" + remove + "\r\n");
  EXPECT_TRUE(WaitUntil([&] { return Copies().empty(); }));

  EXPECT_FALSE(Marked());
  EXPECT_EQ(LastRunVer(), "");
}

TEST_F(KreProcess, StartedDirectlyItLogsItsQuotedWindowsPathAndArguments) {
  EXPECT_EQ(Spawn({"-assoc", "adpr_doc"}), 0);
  // A command line left in the environment by another program is not taken as its own.
  EXPECT_EQ(Spawn({"-ui"}, "BREVANTO_COMMAND_LINE=" + quoted + " -assoc adpr_rtf"), 0);
  EXPECT_EQ(Log(), quoted + " -assoc adpr_doc\r\n" + quoted + " -ui\r\n");
}

TEST_F(KreProcess, LaunchMarksTheDesktopAndRecordsTheVersionUntilStopped) {
  EXPECT_FALSE(Marked());
  const pid_t pid = Launch();
  ASSERT_NE(pid, 0);
  EXPECT_EQ(LastRunVer(), std::string("\x48\x5B\xCE\x01", 4));
  EXPECT_EQ(Log(), "");

  ASSERT_EQ(kill(pid, SIGTERM), 0);
  EXPECT_TRUE(WaitUntil([&] { return Copies().empty(); }));
  EXPECT_FALSE(Marked());
  EXPECT_FALSE(fs::exists(WindowRecord(pid))) << "the window was not unregistered";
}

TEST_F(KreProcess, ClosingTheWindowFromOutsideEndsTheProgram) {
  const pid_t pid = Launch(" C:\\Documents\\lettre.cod");
  ASSERT_NE(pid, 0);
  ASSERT_TRUE(fs::remove(WindowRecord(pid)));
  EXPECT_TRUE(WaitUntil([&] { return Copies().empty(); }));
  EXPECT_FALSE(Marked());
}

TEST_F(KreProcess, InterruptStopsItToo) {
  const pid_t pid = Launch();
  ASSERT_NE(pid, 0);
  ASSERT_EQ(kill(pid, SIGINT), 0);
  EXPECT_TRUE(WaitUntil([&] { return Copies().empty(); }));
  EXPECT_FALSE(fs::exists(WindowRecord(pid)));
}

} // namespace
