// The stand-in word processor's logic in process: which command lines it logs,
// how the log grows (and survives a failure), and the version it records.
#include "support/FaultyFiles.h"
#include "support/TestMachine.h"
#include "tools/kre/Kre.h"

#include "platform/Constants.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(KreCommandLine, FirstArgumentFollowsTheRuntimeRules) {
  EXPECT_EQ(kre::FirstArgument("\"C:\\Program Files\\Brevanto\\kre.exe\" -assoc adpr_cod"),
            "-assoc");
  EXPECT_EQ(kre::FirstArgument("C:\\Brevanto\\kre.exe\t -ui"), "-ui");
  EXPECT_EQ(kre::FirstArgument("\"C:\\Program Files\\Brevanto\\kre.exe\""), "");
  EXPECT_EQ(kre::FirstArgument("\"C:\\Program Files\\Brevanto\\kre.exe\"   "), "");
  EXPECT_EQ(kre::FirstArgument(""), "");
  // Quotes group and vanish; backslashes are literal unless they precede a quote.
  EXPECT_EQ(kre::FirstArgument("kre \"-as\"soc x"), "-assoc");
  EXPECT_EQ(kre::FirstArgument("kre \"a b\" c"), "a b");
  EXPECT_EQ(kre::FirstArgument("kre C:\\a\\b c"), "C:\\a\\b");
  EXPECT_EQ(kre::FirstArgument("kre a\\\\\"b c\" d"), "a\\b c");
  EXPECT_EQ(kre::FirstArgument("kre a\\\"b c"), "a\"b");
  // A program name in quotes never ends at a blank.
  EXPECT_EQ(kre::FirstArgument("\"C:\\x -ui\\kre.exe\" -assoc"), "-assoc");
}

TEST(KreCommandLine, OnlyAssociationAndRemovalAreLogged) {
  EXPECT_TRUE(kre::IsLoggedCommand("-assoc"));
  EXPECT_TRUE(kre::IsLoggedCommand("-ui"));
  for (const char* other : {"", "-assocadpr", "-ui2", "-UI", "/ui", "ui", "-d"})
    EXPECT_FALSE(kre::IsLoggedCommand(other)) << other;
}

// Forwards to the registry in force and counts the values written, so a test
// sees this run's writes even on a real registry that earlier runs wrote to.
class CountingRegistry : public platform::Registry {
public:
  CountingRegistry() : inner_(*platform::Current().registry), scope_(WithThis()) {}

  Key CreateKey(platform::RegRoot root, Key parent, const std::string& subKey) override {
    return inner_.CreateKey(root, parent, subKey);
  }
  bool QueryValue(Key key, const std::string& name, uint32_t* type, std::string* data) override {
    return inner_.QueryValue(key, name, type, data);
  }
  bool SetValue(Key key, const std::string& name, uint32_t type, const std::string& data) override {
    ++writes;
    return inner_.SetValue(key, name, type, data);
  }
  void CloseKey(Key key) override { inner_.CloseKey(key); }

  int writes = 0;

private:
  platform::Platform WithThis() {
    platform::Platform services = platform::Current();
    services.registry = this;
    return services;
  }

  platform::Registry& inner_;
  platform::ScopedPlatform scope_;
};

// The stand-in's program path in quotes, as the setup puts it in a command line.
std::string QuotedProgram(const std::string& folder) {
  std::string quoted = "\"";
  quoted += folder;
  quoted += "kre.exe\"";
  return quoted;
}

class KreLogic : public ::testing::Test {
protected:
  std::string LogPath() const { return machine.Base() + kre::kCommandLogName; }
  std::string Log() const {
    std::string text;
    platform::Fs().ReadFile(LogPath(), text);
    return text;
  }
  std::string StoredVersion(uint32_t* type) {
    platform::Registry& registry = *platform::Current().registry;
    platform::Registry::Key key =
        registry.CreateKey(platform::RegRoot::CurrentUser, nullptr, kre::kInternalKey);
    std::string data;
    registry.QueryValue(key, kre::kLastRunValue, type, &data);
    registry.CloseKey(key);
    return data;
  }

  TestMachine machine;
};

TEST_F(KreLogic, CommandLinesAreAppendedWithCrLf) {
  const std::string assoc = "\"C:\\Program Files\\Brevanto\\kre.exe\" -assoc adpr_rtf_cod";
  const std::string remove = "\"C:\\Program Files\\Brevanto\\kre.exe\" -ui";
  ASSERT_TRUE(kre::AppendToCommandLog(platform::Fs(), machine.Base(), assoc));
  std::string folder = machine.Base();
  folder.pop_back(); // the folder may come without its backslash
  ASSERT_TRUE(kre::AppendToCommandLog(platform::Fs(), folder, remove));
  EXPECT_EQ(Log(), assoc + "\r\n" + remove + "\r\n");
}

TEST_F(KreLogic, UnknownFolderLogsNothing) {
  EXPECT_FALSE(kre::AppendToCommandLog(platform::Fs(), "", "kre -ui"));
}

TEST_F(KreLogic, LogThatCannotBeReadIsNeverRewrittenFromNothing) {
  ASSERT_TRUE(kre::AppendToCommandLog(platform::Fs(), machine.Base(), "kre -ui"));
  FaultyFiles files;
  files.FailPath(FileOp::Read, LogPath(), platform::IoStatus::SharingViolation, 1);
  EXPECT_FALSE(kre::AppendToCommandLog(files, machine.Base(), "kre -assoc adpr"));
  files.FailPath(FileOp::Replace, LogPath(), platform::IoStatus::DiskFull, 1);
  EXPECT_FALSE(kre::AppendToCommandLog(files, machine.Base(), "kre -assoc adpr"));
  EXPECT_EQ(Log(), "kre -ui\r\n");
  EXPECT_TRUE(kre::AppendToCommandLog(files, machine.Base(), "kre -assoc adpr"));
  EXPECT_EQ(Log(), "kre -ui\r\nkre -assoc adpr\r\n");
}

TEST_F(KreLogic, LastRunVersionIsALittleEndianDword) {
  ASSERT_TRUE(kre::RecordLastRun(*platform::Current().registry));
  uint32_t type = 0;
  std::string data = StoredVersion(&type);
  EXPECT_EQ(type, regtype::kDword);
  ASSERT_EQ(data.size(), 4u);
  EXPECT_EQ(data, std::string("\x48\x5B\xCE\x01", 4)); // 30301000
  int32_t version;
  std::memcpy(&version, data.data(), 4);
  EXPECT_GT(version, 30000000);
}

TEST_F(KreLogic, CommandsLogAndReturnWithoutAWindowOrARecordedRun) {
  CountingRegistry registry;
  const std::string line = QuotedProgram(machine.Base()) + " -assoc adpr_cod";
  bool shown = false;
  EXPECT_EQ(kre::Run(line, machine.Base(), [&] { shown = true; }), 0);
  EXPECT_FALSE(shown);
  EXPECT_EQ(Log(), line + "\r\n");
  EXPECT_EQ(registry.writes, 0);
}

TEST_F(KreLogic, LaunchRecordsTheRunBeforeTheWindowOpens) {
  CountingRegistry registry;
  int writesBeforeWindow = -1;
  EXPECT_EQ(kre::Run(QuotedProgram(machine.Base()), machine.Base(),
                     [&] { writesBeforeWindow = registry.writes; }),
            0);
  EXPECT_EQ(writesBeforeWindow, 1);
  EXPECT_EQ(registry.writes, 1);
}

TEST_F(KreLogic, OtherArgumentsLaunchToo) {
  for (const std::string args : {" -assocx", " document.cod", " \"-assoc adpr\"", " -UI"}) {
    bool shown = false;
    EXPECT_EQ(kre::Run(QuotedProgram(machine.Base()) + args, machine.Base(), [&] { shown = true; }),
              0);
    EXPECT_TRUE(shown) << args;
  }
  EXPECT_EQ(Log(), "");
}

} // namespace
