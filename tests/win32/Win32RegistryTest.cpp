// The registry service against the real registry, in keys of the test's own
// that are deleted afterwards.
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/win32/WindowsSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

using platform::RegRoot;

namespace {

const char kTestsKey[] = "Software\\BrevantoTests";

// Deletes a key with all its sub-keys (RegDeleteKeyA removes only leaves).
void DeleteTree(HKEY parent, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    char child[256];
    DWORD length = sizeof child;
    while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS) {
      DeleteTree(key, child);
      length = sizeof child;
    }
    RegCloseKey(key);
  }
  RegDeleteKeyA(parent, name.c_str());
}

bool KeyExists(HKEY root, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(root, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

std::string UniqueKeyName() {
  static std::atomic<unsigned> counter{0};
  return std::string(kTestsKey) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(counter++);
}

class Win32Registry : public ::testing::Test {
protected:
  void TearDown() override {
    for (platform::Registry::Key key : opened)
      registry.CloseKey(key);
    DeleteTree(HKEY_CURRENT_USER, name);
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestsKey); // only when no other run uses it
  }

  platform::Registry::Key Create(RegRoot root, platform::Registry::Key parent,
                                 const std::string& subKey) {
    platform::Registry::Key key = registry.CreateKey(root, parent, subKey);
    if (key)
      opened.push_back(key);
    return key;
  }

  platform::Registry& registry = *platform::Native().registry;
  const std::string name = UniqueKeyName();
  std::vector<platform::Registry::Key> opened;
};

TEST_F(Win32Registry, CreateKeyCreatesMissingKeysAndOpensExistingOnes) {
  ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, name));
  auto key = Create(RegRoot::CurrentUser, nullptr, name);
  ASSERT_TRUE(key);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, name));
  ASSERT_TRUE(registry.SetValue(key, "v", regtype::kDword, std::string("\x2A\0\0\0", 4)));

  auto again = Create(RegRoot::CurrentUser, nullptr, name);
  ASSERT_TRUE(again);
  EXPECT_TRUE(registry.QueryValue(again, "v", nullptr, nullptr));

  auto nested = Create(RegRoot::CurrentUser, again, "Install\\Deeper");
  ASSERT_TRUE(nested);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, name + "\\Install\\Deeper"));
}

TEST_F(Win32Registry, ValuesKeepTheirTypeAndBytes) {
  auto key = Create(RegRoot::CurrentUser, nullptr, name);
  ASSERT_TRUE(key);
  const std::string folder = std::string("C:\\Program Files\\Mod\xE8les") + '\0';
  const std::string mask("\xFF\xFF\xFF\x7F", 4);
  ASSERT_TRUE(registry.SetValue(key, "MAINDIR", regtype::kSz, folder));
  ASSERT_TRUE(registry.SetValue(key, "COMPS_FR (3.1.1)", regtype::kDword, mask));
  ASSERT_TRUE(registry.SetValue(key, "EXTENSIONS", regtype::kSz, std::string(1, '\0')));

  uint32_t type = 0;
  std::string data = "stale";
  ASSERT_TRUE(registry.QueryValue(key, "MAINDIR", &type, &data));
  EXPECT_EQ(type, regtype::kSz);
  EXPECT_EQ(data, folder);
  ASSERT_TRUE(registry.QueryValue(key, "COMPS_FR (3.1.1)", &type, &data));
  EXPECT_EQ(type, regtype::kDword);
  EXPECT_EQ(data, mask);
  ASSERT_TRUE(registry.QueryValue(key, "EXTENSIONS", &type, &data));
  EXPECT_EQ(data, std::string(1, '\0'));

  // Written again with fewer bytes: the value is replaced, not overlaid.
  ASSERT_TRUE(registry.SetValue(key, "MAINDIR", regtype::kSz, std::string("D:\\\0", 4)));
  ASSERT_TRUE(registry.QueryValue(key, "MAINDIR", &type, &data));
  EXPECT_EQ(data, std::string("D:\\\0", 4));
}

TEST_F(Win32Registry, MissingValuesAndKeysFindNothing) {
  auto key = Create(RegRoot::CurrentUser, nullptr, name);
  ASSERT_TRUE(key);
  uint32_t type = 99;
  std::string data = "kept";
  EXPECT_FALSE(registry.QueryValue(key, "LAUNCH", &type, &data));
  EXPECT_EQ(type, 99u);
  EXPECT_FALSE(registry.QueryValue(nullptr, "LAUNCH", &type, &data));
  EXPECT_FALSE(registry.SetValue(nullptr, "LAUNCH", regtype::kDword, std::string(4, '\0')));
  registry.CloseKey(nullptr);
}

TEST_F(Win32Registry, LocalMachineRootIsTheMachineHive) {
  const std::string machineKey = name + "-machine";
  auto key = registry.CreateKey(RegRoot::LocalMachine, nullptr, machineKey);
  if (!key)
    GTEST_SKIP() << "no right to create keys under HKEY_LOCAL_MACHINE";
  registry.CloseKey(key);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, machineKey));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, machineKey));
  DeleteTree(HKEY_LOCAL_MACHINE, machineKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestsKey);
}

} // namespace
