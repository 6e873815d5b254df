// Starting programs on the emulated machine from Windows command lines, and
// the command-line splitting behind it.
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include "platform/posix/CommandLine.h"
#include "platform/posix/HostIo.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace {

using platform::posix::SplitArguments;
using Args = std::vector<std::string>;

// Waits for a file another process writes; its content, or "" after 10 s.
std::string WaitForFile(const std::string& hostPath) {
  for (int i = 0; i < 1000; ++i) {
    if (auto text = platform::posix::ReadHostFile(hostPath))
      return *text;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return "";
}

class ExecTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(platform::Fs().CreateFolder(base + "Mes outils"));
    out = machine.HostPath(base) + "/out.txt";
    // Records its arguments, environment and folder, then publishes them at once.
    const std::string script = "#!/bin/sh\n"
                               "{ for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
                               "  printf 'machine=%s\\n' \"$BREVANTO_MACHINE\"\n"
                               "  printf 'line=%s\\n' \"$BREVANTO_COMMAND_LINE\"\n"
                               "  printf 'pwd=%s\\n' \"$(pwd)\"; } > '" +
                               out +
                               ".part'\n"
                               "mv '" +
                               out + ".part' '" + out + "'\n";
    program = machine.HostPath(base + "Mes outils\\run.exe");
    std::ofstream(program) << script;
    chmod(program.c_str(), 0755);
  }

  unsigned Exec(const std::string& commandLine) {
    return platform::Current().processes->Exec(commandLine, 5);
  }

  TestMachine machine;
  std::string base = machine.Base();
  std::string out;
  std::string program;
};

TEST_F(ExecTest, StartsTheProgramWithItsArgumentsMachineAndFolder) {
  ASSERT_TRUE(platform::Fs().SetCurrentFolder(base));
  const std::string line = "\"C:\\t\\Mes outils\\run.exe\" -assoc \"a b\" c\\\"d";
  ASSERT_EQ(Exec(line), 33u);
  EXPECT_EQ(WaitForFile(out), "[-assoc]\n[a b]\n[c\"d]\n"
                              "machine=" +
                                  CurrentEmulatedMachine().Root() +
                                  "\n"
                                  "line=" +
                                  line +
                                  "\n"
                                  "pwd=" +
                                  machine.HostPath(base) + "\n");
}

// An installer writes programs through Files; Windows can start any file, so
// the emulated machine must be able to start what was written that way.
TEST_F(ExecTest, StartsAProgramWrittenThroughFiles) {
  const std::string script = *platform::posix::ReadHostFile(program);
  ASSERT_EQ(platform::Fs().ReplaceFile(base + "written.exe", script.data(), script.size(), nullptr),
            platform::IoStatus::Ok);
  ASSERT_EQ(Exec("\"C:\\t\\written.exe\" x"), 33u);
  EXPECT_NE(WaitForFile(out).find("[x]\n"), std::string::npos);
}

TEST_F(ExecTest, FindsAnUnquotedProgramWithSpacesAndAddsTheExeExtension) {
  ASSERT_EQ(Exec("c:\\T\\mes outils\\RUN x"), 33u);
  EXPECT_EQ(WaitForFile(out).substr(0, 4), "[x]\n");
}

TEST_F(ExecTest, LeavesNoChildProcessBehind) {
  ASSERT_EQ(Exec("\"C:\\t\\Mes outils\\run.exe\""), 33u);
  WaitForFile(out);
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(ExecTest, MissingOrUnrunnableProgramsAreReported) {
  EXPECT_EQ(Exec("\"C:\\t\\Mes outils\\absent.exe\" x"), 2u);
  EXPECT_EQ(Exec("C:\\nowhere\\run.exe"), 2u);
  EXPECT_EQ(Exec("run.exe"), 2u);
  EXPECT_EQ(Exec(""), 2u);
  chmod(program.c_str(), 0644);
  EXPECT_EQ(Exec("\"C:\\t\\Mes outils\\run.exe\""), 11u);
  std::ofstream(program) << "not a program";
  chmod(program.c_str(), 0755);
  EXPECT_EQ(Exec("\"C:\\t\\Mes outils\\run.exe\""), 11u);
}

TEST(CommandLineArguments, FollowTheBackslashAndQuoteRules) {
  EXPECT_EQ(SplitArguments(" \"abc\" d e "), (Args{"abc", "d", "e"}));
  EXPECT_EQ(SplitArguments("a\\\\\\b d\"e f\"g h"), (Args{"a\\\\\\b", "de fg", "h"}));
  EXPECT_EQ(SplitArguments("a\\\\\\\"b c d"), (Args{"a\\\"b", "c", "d"}));
  EXPECT_EQ(SplitArguments("a\\\\\\\\\"b c\" d e"), (Args{"a\\\\b c", "d", "e"}));
  EXPECT_EQ(SplitArguments("a\"b\"\" c d"), (Args{"ab\"", "c", "d"}));
  EXPECT_EQ(SplitArguments("\"\" x"), (Args{"", "x"}));
  EXPECT_EQ(SplitArguments("-assoc adpr_rtf_cod"), (Args{"-assoc", "adpr_rtf_cod"}));
  EXPECT_EQ(SplitArguments(""), Args{});
}

TEST(CommandLineProgram, IsTheQuotedTokenOrTheShortestExistingPrefix) {
  const auto exists = [](const std::string& p) { return p == "C:\\Program Files\\B\\kre.exe"; };
  auto split = platform::posix::SplitProgram("\"C:\\Program Files\\B\\kre.exe\" -ui", exists);
  EXPECT_EQ(split->program, "C:\\Program Files\\B\\kre.exe");
  EXPECT_EQ(split->rest, " -ui");
  split = platform::posix::SplitProgram("C:\\Program Files\\B\\kre.exe -ui", exists);
  EXPECT_EQ(split->program, "C:\\Program Files\\B\\kre.exe");
  EXPECT_EQ(split->rest, " -ui");
  split = platform::posix::SplitProgram("C:\\Other Files\\x -y", exists);
  EXPECT_EQ(split->program, "C:\\Other.exe");
  EXPECT_EQ(split->rest, " Files\\x -y");
  EXPECT_FALSE(platform::posix::SplitProgram("  ", exists));
}

} // namespace
