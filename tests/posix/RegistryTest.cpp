// The emulated registry: keys and values kept in .reg text stores per
// machine, found ignoring case, and robust against damaged stores.
#include "support/TestMachine.h"
#include "support/posix/EmulatedMachine.h"

#include "platform/Constants.h"
#include "platform/posix/HostIo.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using platform::RegRoot;
using platform::posix::Machine;

const std::string kInstall = "Software\\Brevanto Word Processor\\Install";

std::string Dword(uint32_t n) {
  return {char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
}

class RegistryTest : public ::testing::Test {
protected:
  platform::Registry& Reg() { return *platform::Current().registry; }
  std::string StoreFile(const char* hive) {
    return CurrentEmulatedMachine().Root() + "/registry/" + hive + ".reg";
  }
  std::string StoreText(const char* hive) {
    return platform::posix::ReadHostFile(StoreFile(hive)).value_or("");
  }
  // A value's type and bytes as another process on the machine reads them.
  std::pair<uint32_t, std::string> ReadFresh(RegRoot root, const std::string& key,
                                             const std::string& name) {
    Machine other(CurrentEmulatedMachine().Root());
    auto& reg = *other.Services().registry;
    auto handle = reg.CreateKey(root, nullptr, key);
    uint32_t type = 0;
    std::string data = "<absent>";
    reg.QueryValue(handle, name, &type, &data);
    reg.CloseKey(handle);
    return {type, data};
  }

  TestMachine machine;
};

TEST_F(RegistryTest, ValuesRoundTripThroughTheStoreWithTheirTypesAndBytes) {
  auto key = Reg().CreateKey(RegRoot::CurrentUser, nullptr, kInstall);
  ASSERT_TRUE(key);
  const std::string folder = std::string("C:\\Program Files\\Mod\xE8les \"x\"") + '\0';
  ASSERT_TRUE(Reg().SetValue(key, "MAINDIR", regtype::kSz, folder));
  ASSERT_TRUE(Reg().SetValue(key, "COMPS_FR (3.1.1)", regtype::kDword, Dword(2147483647)));
  ASSERT_TRUE(Reg().SetValue(key, "Raw", regtype::kBinary, std::string("\0\xFF", 2)));
  ASSERT_TRUE(Reg().SetValue(key, "Lines", regtype::kSz, std::string("a\r\nb\0", 5)));
  ASSERT_TRUE(Reg().SetValue(key, "", 7, std::string("x\0\0", 3)));
  Reg().CloseKey(key);

  EXPECT_EQ(ReadFresh(RegRoot::CurrentUser, kInstall, "maindir"),
            std::make_pair(regtype::kSz, folder));
  EXPECT_EQ(ReadFresh(RegRoot::CurrentUser, kInstall, "COMPS_FR (3.1.1)"),
            std::make_pair(regtype::kDword, Dword(2147483647)));
  EXPECT_EQ(ReadFresh(RegRoot::CurrentUser, kInstall, "RAW"),
            std::make_pair(regtype::kBinary, std::string("\0\xFF", 2)));
  EXPECT_EQ(ReadFresh(RegRoot::CurrentUser, kInstall, "Lines"),
            std::make_pair(regtype::kSz, std::string("a\r\nb\0", 5)));
  EXPECT_EQ(ReadFresh(RegRoot::CurrentUser, kInstall, ""),
            std::make_pair(uint32_t(7), std::string("x\0\0", 3)));
}

TEST_F(RegistryTest, TheStoreIsTheRegExportFormatInUtf8) {
  auto key = Reg().CreateKey(RegRoot::CurrentUser, nullptr, kInstall);
  ASSERT_TRUE(Reg().SetValue(key, "MAINDIR", regtype::kSz, std::string("C:\\Mod\xE8les\0", 11)));
  ASSERT_TRUE(Reg().SetValue(key, "LAUNCH", regtype::kDword, Dword(10)));
  Reg().CloseKey(key);
  const std::string text = StoreText("HKCU");
  EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Brevanto Word Processor\\Install]\n"
                      "\"LAUNCH\"=dword:0000000a\n"
                      "\"MAINDIR\"=\"C:\\\\Mod\xC3\xA8les\"\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(StoreText("HKLM"), "");
}

TEST_F(RegistryTest, KeysAndNamesAreFoundIgnoringCaseAndKeepTheirFirstSpelling) {
  auto key = Reg().CreateKey(RegRoot::CurrentUser, nullptr, "Software\\Acme");
  ASSERT_TRUE(Reg().SetValue(key, "Name", regtype::kSz, std::string("1\0", 2)));
  Reg().CloseKey(key);
  key = Reg().CreateKey(RegRoot::CurrentUser, nullptr, "SOFTWARE\\acme\\Sub");
  ASSERT_TRUE(Reg().SetValue(key, "x", regtype::kDword, Dword(1)));
  Reg().CloseKey(key);
  key = Reg().CreateKey(RegRoot::CurrentUser, nullptr, "software\\ACME");
  ASSERT_TRUE(Reg().SetValue(key, "NAME", regtype::kSz, std::string("2\0", 2)));
  std::string data;
  ASSERT_TRUE(Reg().QueryValue(key, "name", nullptr, &data));
  EXPECT_EQ(data, std::string("2\0", 2));
  Reg().CloseKey(key);
  const std::string text = StoreText("HKCU");
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Acme\\Sub]"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Name\"=\"2\""), std::string::npos) << text;
}

TEST_F(RegistryTest, SubKeysOpenFromTheirParentAndMissingValuesAreAbsent) {
  auto parent = Reg().CreateKey(RegRoot::CurrentUser, nullptr, "Software");
  auto child = Reg().CreateKey(RegRoot::LocalMachine, parent, "Brevanto Word Processor\\Internal");
  ASSERT_TRUE(child);
  ASSERT_TRUE(Reg().SetValue(child, "LastRunVer", regtype::kDword, Dword(20004000)));
  EXPECT_EQ(
      ReadFresh(RegRoot::CurrentUser, "Software\\Brevanto Word Processor\\Internal", "LastRunVer")
          .second,
      Dword(20004000));
  uint32_t type = 99;
  EXPECT_FALSE(Reg().QueryValue(child, "Absent", &type, nullptr));
  EXPECT_EQ(type, 99u);
  EXPECT_TRUE(Reg().QueryValue(child, "LastRunVer", nullptr, nullptr));
  Reg().CloseKey(child);
  Reg().CloseKey(parent);
  EXPECT_FALSE(Reg().QueryValue(child, "LastRunVer", nullptr, nullptr)); // closed handle
  EXPECT_FALSE(Reg().SetValue(nullptr, "x", regtype::kDword, Dword(1)));
  Reg().CloseKey(nullptr);
}

TEST_F(RegistryTest, MalformedKeyPathsAreRefused) {
  for (const char* bad : {"\\Software", "Software\\\\X", "Software\\"})
    EXPECT_FALSE(Reg().CreateKey(RegRoot::CurrentUser, nullptr, bad)) << bad;
}

TEST_F(RegistryTest, AReadOnlyLocalMachineRefusesToOpenKeys) {
  auto config = CurrentEmulatedMachine().Config();
  config.hklmReadOnly = true;
  ASSERT_TRUE(CurrentEmulatedMachine().SaveConfig(config));
  EXPECT_FALSE(Reg().CreateKey(RegRoot::LocalMachine, nullptr, "Software\\Microsoft"));
  auto user = Reg().CreateKey(RegRoot::CurrentUser, nullptr, "Software");
  EXPECT_TRUE(user);
  Reg().CloseKey(user);
}

TEST_F(RegistryTest, ADamagedStoreLosesOnlyItsUnreadableLines) {
  std::ofstream(StoreFile("HKCU"), std::ios::binary)
      << "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_CURRENT_USER\\Software\\Good]\r\n"
         "\"A\"=dword:00000001\r\n"
         "\"B\"=dword:zz\r\n"
         "\"C\"=\"unterminated\r\n"
         "\"D\"=hex:01,0g\r\n"
         "\"E\"=hex(2):41,\\\r\n"
         "  42,00\r\n"
         "garbage\r\n"
         "[HKEY_LOCAL_MACHINE\\Software\\Elsewhere]\r\n"
         "\"F\"=dword:00000002\r\n"
         "[HKEY_CURRENT_USER\\Bad\\\\Path]\r\n"
         "\"G\"=dword:00000003\r\n"
         "[HKEY_CURRENT_USER\\Software\\Good]\r\n"
         "\"H\"=\"\xFF\xFE not utf-8\"\r\n"
         "[HKEY_CURRENT_USER\\Software\\Good\r\n"
         "\"I\"=hex(";
  auto key = Reg().CreateKey(RegRoot::CurrentUser, nullptr, "Software\\Good");
  ASSERT_TRUE(key);
  std::string data;
  EXPECT_TRUE(Reg().QueryValue(key, "A", nullptr, &data));
  EXPECT_EQ(data, Dword(1));
  for (const char* lost : {"B", "C", "D", "F", "G"})
    EXPECT_FALSE(Reg().QueryValue(key, lost, nullptr, nullptr)) << lost;
  uint32_t type = 0;
  EXPECT_TRUE(Reg().QueryValue(key, "E", &type, &data));
  EXPECT_EQ(type, 2u);
  EXPECT_EQ(data, std::string("AB\0", 3));
  EXPECT_TRUE(Reg().QueryValue(key, "H", nullptr, &data));
  EXPECT_EQ(data, std::string("?? not utf-8\0", 13));
  EXPECT_TRUE(Reg().SetValue(key, "New", regtype::kDword, Dword(5)));
  Reg().CloseKey(key);
}

TEST_F(RegistryTest, ChangesMadeByAnotherProcessAreSeen) {
  auto key = Reg().CreateKey(RegRoot::CurrentUser, nullptr, kInstall);
  ASSERT_FALSE(Reg().QueryValue(key, "LAUNCH", nullptr, nullptr));
  {
    Machine other(CurrentEmulatedMachine().Root());
    auto& reg = *other.Services().registry;
    auto otherKey = reg.CreateKey(RegRoot::CurrentUser, nullptr, kInstall);
    ASSERT_TRUE(reg.SetValue(otherKey, "LAUNCH", regtype::kDword, Dword(0)));
    reg.CloseKey(otherKey);
  }
  EXPECT_TRUE(Reg().QueryValue(key, "LAUNCH", nullptr, nullptr));
  ASSERT_TRUE(Reg().SetValue(key, "MAINDIR", regtype::kSz, std::string("x\0", 2)));
  Reg().CloseKey(key);
  EXPECT_EQ(ReadFresh(RegRoot::CurrentUser, kInstall, "LAUNCH").second, Dword(0));
}

} // namespace
