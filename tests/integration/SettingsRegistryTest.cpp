// The install settings in the registry: what a run proposes from the stored
// values and the command line, what it writes back, and how values of the
// wrong type or size read.
#include "IntegrationHarness.h"

#include "instutils/InstUtils.h"
#include "integration/Associations.h"
#include "integration/FinishActions.h"
#include "integration/Registry.h"
#include "integration/Settings.h"

#include <gtest/gtest.h>

using platform::RegRoot;

namespace {

class SettingsRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    defaultDir = JoinPath(GetSpecialFolder(csidl::kProgramFiles), "Brevanto");
  }

  TSetupState Read(const std::vector<std::string>& args = {}) {
    TSetupState state;
    ReadRegistrySettings(state, args);
    return state;
  }

  void StoreInstall(const std::string& name, uint32_t type, const std::string& data) {
    m.SetValue(RegRoot::CurrentUser, kInstallKey, name, type, data);
  }

  std::optional<RegValue> Stored(const std::string& name) {
    return m.Value(RegRoot::CurrentUser, kInstallKey, name);
  }

  IntegrationMachine m;
  std::string defaultDir;
};

TEST_F(SettingsRegistryTest, CleanAccountProposesTheDefaults) {
  TSetupState state = Read();
  EXPECT_EQ(state.Options.InstallDir, defaultDir);
  EXPECT_EQ(state.Options.StoredComps, 2147483647);
  EXPECT_EQ(state.CompStates[0], cbGrayed);
  for (int i = 1; i < kComponentCount; ++i)
    EXPECT_EQ(state.CompStates[i], cbChecked) << i;
  EXPECT_TRUE(state.InstallToAllChkBx);
  EXPECT_TRUE(state.FinishChkBx);
  EXPECT_EQ(state.Options.Extensions, "B");
  EXPECT_EQ(state.LastRunVer, 2147483647);
  SetAssocBoxesFromExtensions(state);
  EXPECT_FALSE(state.AssocChkBx[0]);
  EXPECT_TRUE(state.AssocChkBx[1]);
  EXPECT_FALSE(state.AssocChkBx[2]);
  EXPECT_FALSE(state.AssocChkBx[3]);
}

TEST_F(SettingsRegistryTest, StoredFolderIsProposedOnlyWhileItExists) {
  const std::string existing = m.Machine().Base() + "Brevanto";
  ForceDir(existing + "\\");
  m.SetString(RegRoot::CurrentUser, kInstallKey, "MAINDIR", existing);
  EXPECT_EQ(Read().Options.InstallDir, existing);

  m.SetString(RegRoot::CurrentUser, kInstallKey, "MAINDIR", existing + "\\Parti");
  EXPECT_EQ(Read().Options.InstallDir, defaultDir);

  m.SetString(RegRoot::CurrentUser, kInstallKey, "MAINDIR", "");
  EXPECT_EQ(Read().Options.InstallDir, defaultDir);
}

TEST_F(SettingsRegistryTest, DashDOverridesTheFolderOnlyAsFirstLowerCaseArgument) {
  EXPECT_EQ(Read({"-dE:\\Outils\\Brevanto"}).Options.InstallDir, "E:\\Outils\\Brevanto");
  EXPECT_EQ(Read({"-d"}).Options.InstallDir, "");
  EXPECT_EQ(Read({"-DE:\\Outils\\Brevanto"}).Options.InstallDir, defaultDir);
  EXPECT_EQ(Read({"/dE:\\Outils\\Brevanto"}).Options.InstallDir, defaultDir);
  EXPECT_EQ(Read({"-x", "-dE:\\Outils\\Brevanto"}).Options.InstallDir, defaultDir);
  EXPECT_EQ(Read({"-", "ignored"}).Options.InstallDir, defaultDir);
}

// What -d gives, taken unchanged unless no Windows path can hold it. A
// folder quoted with a trailing backslash reaches the program with a trailing
// quote (the C runtime reads \" as a quote and drops the backslash): that
// quote is the user's closing quote.
TEST_F(SettingsRegistryTest, DashDValuesTableOfWhatIsTakenAndWhatFallsBack) {
  const std::string existing = m.Machine().Base() + "Brevanto";
  ForceDir(existing + "\\");
  m.SetString(RegRoot::CurrentUser, kInstallKey, "MAINDIR", existing);
  struct Row {
    std::string value, expected, why;
  };
  for (const Row& row : std::vector<Row>{
           {"D:\\Outils\"", "D:\\Outils", "-d\"D:\\Outils\\\" as the runtime passes it"},
           {"C:\\Program Files\\Brevanto\"", "C:\\Program Files\\Brevanto", "the same, spaces"},
           {"D:\\Ou\"tils", defaultDir, "a quote inside"},
           {"D:\\Outils\"\"", defaultDir, "two trailing quotes"},
           {"\"", defaultDir, "a quote alone"},
           {"C:\\Bre<vanto", defaultDir, "redirection"},
           {"C:\\Bre>vanto", defaultDir, "redirection"},
           {"C:\\A|B", defaultDir, "pipe"},
           {"C:\\*", defaultDir, "wildcard"},
           {"C:\\Brevanto?", defaultDir, "wildcard"},
           {"C:\\Bre\tvanto", defaultDir, "control character"},
           {"C:\\A\x01", defaultDir, "control character"},
           {"C:\\Program Files\\Brevanto\\", "C:\\Program Files\\Brevanto\\", "trailing \\ kept"},
           {" E:\\Outils. ", " E:\\Outils. ", "spaces and dots kept"},
           {"D:\\Logiciels\\Trait\xE9 de texte", "D:\\Logiciels\\Trait\xE9 de texte", "accents"},
           {"\\\\serveur\\partage", "\\\\serveur\\partage", "a network path"},
           {"Brevanto", "Brevanto", "even a relative one"},
           {"C:\\A\x7F\x80\xFF", "C:\\A\x7F\x80\xFF", "high characters"},
       })
    EXPECT_EQ(Read({"-d" + row.value}).Options.InstallDir, row.expected) << row.why;
}

TEST_F(SettingsRegistryTest, ComponentBitsFollowTheTickedRowsAndComeBack) {
  TSetupState state = Read();
  state.CompStates[1] = cbUnchecked;
  state.CompStates[3] = cbUnchecked;
  WriteRegistrySettings(state);

  const std::optional<RegValue> comps = Stored("COMPS_FR (3.1.1)");
  ASSERT_TRUE(comps);
  EXPECT_EQ(comps->type, regtype::kDword);
  EXPECT_EQ(comps->data, Dword(2147483647u & ~(1u | 2u | 8u)));

  TSetupState next = Read();
  const TCheckState expected[kComponentCount] = {cbGrayed,  cbUnchecked, cbChecked, cbUnchecked,
                                                 cbChecked, cbChecked,   cbChecked};
  for (int i = 0; i < kComponentCount; ++i)
    EXPECT_EQ(next.CompStates[i], expected[i]) << i;
}

TEST_F(SettingsRegistryTest, HighComponentBitsKeepWhatWasStored) {
  m.SetDword(RegRoot::CurrentUser, kInstallKey, "COMPS_FR (3.1.1)", 0x80000F01u);
  TSetupState state = Read();
  EXPECT_EQ(state.CompStates[0], cbGrayed);
  EXPECT_EQ(state.CompStates[1], cbUnchecked);
  state.CompStates[6] = cbChecked;
  WriteRegistrySettings(state);
  EXPECT_EQ(Stored("COMPS_FR (3.1.1)")->data, Dword(0x80000F40u));
}

TEST_F(SettingsRegistryTest, EmptyExtensionsTicksNoBoxWhileAbsentMeansB) {
  m.SetString(RegRoot::CurrentUser, kInstallKey, "EXTENSIONS", "");
  TSetupState state = Read();
  EXPECT_EQ(state.Options.Extensions, "");
  SetAssocBoxesFromExtensions(state);
  for (bool box : state.AssocChkBx)
    EXPECT_FALSE(box);
}

TEST_F(SettingsRegistryTest, ExtensionsDaTicksBoxesOneAndFourAndIsWrittenBackAsAd) {
  m.SetString(RegRoot::CurrentUser, kInstallKey, "EXTENSIONS", "DAxa");
  TSetupState state = Read();
  SetAssocBoxesFromExtensions(state);
  EXPECT_TRUE(state.AssocChkBx[0]);
  EXPECT_FALSE(state.AssocChkBx[1]);
  EXPECT_FALSE(state.AssocChkBx[2]);
  EXPECT_TRUE(state.AssocChkBx[3]);

  FinishActions(state);
  EXPECT_EQ(state.Options.Extensions, "AD");
  ASSERT_EQ(m.processes.started.size(), 1u);
  EXPECT_EQ(m.processes.started[0].commandLine,
            "\"" + defaultDir + "\\kre.exe\" -assoc adpr_rtf_docx");
  WriteRegistrySettings(state);
  EXPECT_EQ(Stored("EXTENSIONS")->data, std::string("AD") + '\0');
}

TEST_F(SettingsRegistryTest, ChoicesAreWrittenWithTheirTypes) {
  TSetupState state = Read();
  state.InstallToAllChkBx = false;
  state.FinishChkBx = false;
  state.Options.Extensions = "BC";
  WriteRegistrySettings(state);
  EXPECT_EQ(Stored("MAINDIR")->type, regtype::kSz);
  EXPECT_EQ(Stored("MAINDIR")->data, defaultDir + '\0');
  EXPECT_EQ(Stored("INSTALLTOALL")->type, regtype::kDword);
  EXPECT_EQ(Stored("INSTALLTOALL")->data, Dword(0));
  EXPECT_EQ(Stored("LAUNCH")->data, Dword(0));
  EXPECT_EQ(Stored("EXTENSIONS")->data, std::string("BC") + '\0');

  TSetupState next = Read();
  EXPECT_FALSE(next.InstallToAllChkBx);
  EXPECT_FALSE(next.FinishChkBx);
  EXPECT_EQ(next.Options.Extensions, "BC");
}

TEST_F(SettingsRegistryTest, ValuesOfTheWrongTypeOrSizeReadAsTheirDefaults) {
  const std::string existing = m.Machine().Base() + "Ailleurs";
  ForceDir(existing + "\\");
  StoreInstall("MAINDIR", regtype::kBinary, existing + '\0');
  StoreInstall("COMPS_FR (3.1.1)", regtype::kSz, std::string("\x01\0\0\0", 4));
  StoreInstall("INSTALLTOALL", regtype::kBinary, Dword(0));
  StoreInstall("EXTENSIONS", regtype::kDword, Dword('A'));
  StoreInstall("LAUNCH", regtype::kDword, std::string("\0\0", 2));
  m.SetValue(RegRoot::CurrentUser, kInternalKey, "LastRunVer", regtype::kDword,
             Dword(20003999) + std::string(4, '\0'));
  TSetupState state = Read();
  EXPECT_EQ(state.Options.InstallDir, defaultDir);
  EXPECT_EQ(state.Options.StoredComps, 2147483647);
  EXPECT_TRUE(state.InstallToAllChkBx);
  EXPECT_EQ(state.Options.Extensions, "B");
  EXPECT_TRUE(state.FinishChkBx);
  EXPECT_EQ(state.LastRunVer, 2147483647);
}

TEST_F(SettingsRegistryTest, StringsEndAtTheirFirstNulOrTheirSize) {
  StoreInstall("EXTENSIONS", regtype::kSz, std::string("AC\0D", 4));
  EXPECT_EQ(Read().Options.Extensions, "AC");
  StoreInstall("EXTENSIONS", regtype::kSz, "CD");
  EXPECT_EQ(Read().Options.Extensions, "CD");
  StoreInstall("EXTENSIONS", regtype::kExpandSz, std::string("A\0", 2));
  EXPECT_EQ(Read().Options.Extensions, "A");
}

TEST_F(SettingsRegistryTest, LastRunVerIsReadFromTheInternalKey) {
  m.SetDword(RegRoot::CurrentUser, kInternalKey, "LastRunVer", 20004000);
  EXPECT_EQ(Read().LastRunVer, 20004000);
  m.SetDword(RegRoot::CurrentUser, kInternalKey, "LastRunVer", 0xFFFFFFFFu);
  EXPECT_EQ(Read().LastRunVer, -1);
}

TEST(RegistryAccess, AKeyThatCannotBeOpenedReadsNothingAndLosesWrites) {
  IntegrationMachine m;
  if (!m.Emulated())
    GTEST_SKIP() << "needs the emulated machine";
  struct NoKeys : RecordingRegistry {
    using RecordingRegistry::RecordingRegistry;
    Key CreateKey(platform::RegRoot, Key, const std::string&) override { return nullptr; }
  } noKeys(*m.registry);
  platform::Platform services = m.Services();
  services.registry = &noKeys;
  platform::ScopedPlatform scope(services);

  TRegistry reg;
  reg.OpenKey(kInstallKey);
  EXPECT_FALSE(reg.HasOpenKey());
  reg.WriteString("MAINDIR", "C:\\X");
  EXPECT_FALSE(reg.ReadString("MAINDIR"));
  EXPECT_TRUE(noKeys.written.empty());
}

TEST(RegistryAccess, RelativePathsOpenBelowTheOpenKeyAndRootedOnesFromTheRoot) {
  IntegrationMachine m;
  if (!m.Emulated())
    GTEST_SKIP() << "needs the emulated machine";
  TRegistry reg;
  reg.OpenKey("Software\\Brevanto Word Processor");
  reg.OpenKey("Install");
  reg.WriteInteger("A", 1);
  reg.OpenKey("\\Software\\Other");
  reg.WriteInteger("B", -2);
  EXPECT_EQ(m.Value(RegRoot::CurrentUser, kInstallKey, "A")->data, Dword(1));
  EXPECT_EQ(m.Value(RegRoot::CurrentUser, "Software\\Other", "B")->data, Dword(0xFFFFFFFEu));
  EXPECT_EQ(reg.ReadInteger("B"), -2);
}

} // namespace
