// Whole installations on a fresh machine, without a window: a first normal
// installation, a portable one on a USB stick, and updates over earlier
// installations, checked file by file, byte by byte.
#include "IntegrationHarness.h"

#include "instutils/InstUtils.h"
#include "integration/InstallSession.h"
#include "integration/Settings.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using platform::RegRoot;

namespace {

const std::string kDir = "C:\\Program Files\\Brevanto\\";
const std::string kStick = "E:\\Apps\\Brevanto\\";
const std::string kLink = "Traitement de texte Brevanto.lnk";
const std::string kStamp = "*00000000901DE640";

std::string Sz(const std::string& s) {
  return s + '\0';
}

std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

class WholeInstallationTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!m.Emulated())
      GTEST_SKIP() << "needs the emulated machine";
    ASSERT_TRUE(m.Machine().SetSystemClusterSize(4096));
    files = BuildCatalogue(SampleEntries());
    ASSERT_TRUE(files);
    common = JoinPath(GetSpecialFolder(csidl::kCommonAppData), "Brevanto\\");
    pub = common + "Public\\";
    spelling = pub + "Orthographe\\";
  }

  std::string Folder(int csidl) const { return JoinPath(GetSpecialFolder(csidl), ""); }

  std::optional<RegValue> Install(const std::string& name) const {
    return m.Value(RegRoot::CurrentUser, kInstallKey, name);
  }
  std::optional<RegValue> Uninstall(const std::string& name) const {
    return m.Value(RegRoot::LocalMachine, kUninstallKey, name);
  }

  IntegrationMachine m;
  std::unique_ptr<TAttachedFiles> files;
  std::string common, pub, spelling;
};

TEST_F(WholeInstallationTest, FirstNormalInstallation) {
  const std::string userPrograms = Folder(csidl::kPrograms) + kLink;
  const std::string userDesktop = Folder(csidl::kDesktopDirectory) + kLink;
  m.Write(userPrograms, "old per-user shortcut");
  m.Write(userDesktop, "old per-user shortcut");
  m.SetString(RegRoot::CurrentUser, kInstallKey, "EXTENSIONS", "BAD");
  TSetupState state;
  ReadRegistrySettings(state, {});
  ASSERT_EQ(state.Options.InstallDir + "\\", kDir);

  const RunResult run = RunInstallation(state, *files);
  EXPECT_TRUE(run.dialogs.empty());
  EXPECT_TRUE(run.finishClicked);

  // Every file in its folder, with the archive's contents and date.
  for (const char* name : {"kre.exe", "Licence.txt", "Coupe de mots.dat"}) {
    EXPECT_EQ(m.Read(kDir + name), std::string("contents of ") + name);
    EXPECT_EQ(GetFileWriteDate(kDir + name), SampleEntryDate()) << name;
  }
  EXPECT_EQ(m.Read(spelling + "français.zlx"), "contents of français.zlx");
  EXPECT_EQ(m.Read(spelling + "English (British).cache"), "contents of English (American).cache");
  EXPECT_EQ(m.Read(spelling + "English (American).cache"), "contents of English (American).cache");
  EXPECT_EQ(m.Read(pub + "Modèles de document\\Fax\\Télécopie.dot"),
            "contents of Modèles de document\\Fax\\Télécopie.dot");
  EXPECT_EQ(m.Read(pub + "Collections d'inserts\\Images\\Puces\\Puce 1.gif"),
            "contents of Collections d'inserts\\Images\\Puces\\Puce 1.gif");
  EXPECT_EQ(m.Read(pub + "Basic.asn"), "contents of Basic.asn");

  // The log: the hidden folder made while planning, then the logged files
  // in extraction order, then the two shortcuts.
  const std::string commonPrograms = Folder(csidl::kCommonPrograms) + kLink;
  const std::string commonDesktop = Folder(csidl::kCommonDesktopDirectory) + kLink;
  EXPECT_EQ(m.Read(kDir + "Install.log"),
            CrLf({"Made Dir: " + common + "Hidden\\", "Made Dir: " + kDir,
                  "File Copy: " + kDir + "kre.exe", "File Copy: " + kDir + "Licence.txt",
                  "File Copy: " + kDir + "Coupe de mots.dat", "File Copy: " + pub + "Basic.asn",
                  "File Copy: " + commonPrograms, "File Copy: " + commonDesktop}));

  EXPECT_EQ(Install("MAINDIR")->data, Sz("C:\\Program Files\\Brevanto"));
  EXPECT_EQ(Install("COMPS_FR (3.1.1)")->data, Dword(0x7FFFFFFE));
  EXPECT_EQ(Install("INSTALLTOALL")->data, Dword(1));
  EXPECT_EQ(Install("EXTENSIONS")->data, Sz("ABD"));
  EXPECT_EQ(Install("LAUNCH")->data, Dword(1));
  EXPECT_EQ(Uninstall("DisplayIcon")->data, Sz(kDir + "kre.exe"));
  EXPECT_EQ(Uninstall("EstimatedSize")->data, Dword(12));
  EXPECT_EQ(Uninstall("UninstallString")->data, Sz("\"" + kDir + "kre.exe\" -ui"));

  EXPECT_TRUE(m.Exists(commonPrograms));
  EXPECT_TRUE(m.Exists(commonDesktop));
  EXPECT_FALSE(m.Exists(userPrograms));
  EXPECT_FALSE(m.Exists(userDesktop));

  ASSERT_EQ(m.processes.started.size(), 2u);
  EXPECT_EQ(m.processes.started[0].commandLine, "\"" + kDir + "kre.exe\" -assoc adpr_rtf_cod_docx");
  EXPECT_EQ(m.processes.started[1].commandLine, "\"" + kDir + "kre.exe\"");
  EXPECT_EQ(m.processes.started[0].show, show::kShow);
  EXPECT_EQ(m.processes.started[1].show, show::kShow);

  EXPECT_EQ(
      m.Read(common + "kre_common.dat"),
      std::string("\x01\0\0\0\x08\0\0\0\0\0\0\0\x90\x1D\xE6\x40\x02\0\0\0\x01\0\0\0\x31", 25));
  EXPECT_EQ(m.Read(common + "Hidden\\install_stamp"), std::string("\0\0\0\0\x90\x1D\xE6\x40", 8));

  const std::string k = "\t!";
  EXPECT_EQ(
      m.Read(common + "Update.log"),
      CrLf({kStamp, pub + "Basic.asn",
            pub + "Collections d'inserts\\Images\\Puces\\Losange.gif" + k,
            pub + "Collections d'inserts\\Images\\Puces\\Puce 1.gif" + k,
            pub + "Collections d'inserts\\Symboles.ins" + k,
            pub + "Modèles de document\\Fax\\Télécopie.dot" + k,
            pub + "Modèles de document\\Lettre.dot" + k, spelling + "English (American).asc" + k,
            spelling + "English (American).cache" + k, spelling + "English (British).asc" + k,
            spelling + "English (British).cache" + k, spelling + "english.zlx",
            spelling + "français.zlx", spelling + "French.asc" + k, spelling + "persodicfr.tlx" + k,
            spelling + "uk.zlx", spelling + "us.zlx", spelling + "userdicen.tlx" + k}));
}

TEST_F(WholeInstallationTest, CurrentUserShortcutsReplaceAllUsersOnes) {
  const std::string commonPrograms = Folder(csidl::kCommonPrograms) + kLink;
  m.Write(commonPrograms, "old all-users shortcut");
  TSetupState state;
  ReadRegistrySettings(state, {});
  state.InstallToAllChkBx = false;
  state.FinishChkBx = false;
  RunInstallation(state, *files);
  EXPECT_FALSE(m.Exists(commonPrograms));
  EXPECT_TRUE(m.Exists(Folder(csidl::kPrograms) + kLink));
  EXPECT_TRUE(m.Exists(Folder(csidl::kDesktopDirectory) + kLink));
  EXPECT_FALSE(m.Exists(Folder(csidl::kCommonDesktopDirectory) + kLink));
  EXPECT_EQ(Install("INSTALLTOALL")->data, Dword(0));
  ASSERT_EQ(m.processes.started.size(), 1u);
  EXPECT_EQ(m.processes.started[0].commandLine, "\"" + kDir + "kre.exe\" -assoc adpr_cod");
}

TEST_F(WholeInstallationTest, PortableInstallationOnAUsbStick) {
  ASSERT_TRUE(m.AddUsbStick());
  m.Write(kStick + "Install.log", "File Copy: E:\\Apps\\Brevanto\\Ancien.exe\r\n");
  TSetupState state;
  ReadRegistrySettings(state, {"-dE:\\Apps\\Brevanto"});
  state.CompStates[2] = cbUnchecked;
  const RunResult run = RunInstallation(state, *files);
  EXPECT_TRUE(run.finishClicked);

  EXPECT_EQ(m.Read(kStick + "kre.exe"), "contents of kre.exe");
  EXPECT_EQ(m.Read(kStick + "Orthographe\\French.asc"), "contents of French.asc");
  EXPECT_EQ(m.Read(kStick + "Modèles de document\\Lettre.dot"),
            "contents of Modèles de document\\Lettre.dot");
  EXPECT_EQ(m.Read(kStick + "Basic.asn"), "contents of Basic.asn");
  EXPECT_EQ(m.Read(kStick + "kre_common.dat").size(), 25u);
  EXPECT_FALSE(m.Exists(kStick + "Orthographe\\us.zlx"));

  EXPECT_EQ(m.Read(kStick + "Install.log"), "File Copy: E:\\Apps\\Brevanto\\Ancien.exe\r\n");
  EXPECT_FALSE(m.Exists(kStick + "install_stamp"));
  EXPECT_FALSE(m.Exists(kStick + "Update.log"));
  EXPECT_FALSE(platform::Fs().IsFolder(common));
  for (int place : {csidl::kPrograms, csidl::kDesktopDirectory, csidl::kCommonPrograms,
                    csidl::kCommonDesktopDirectory})
    EXPECT_FALSE(m.Exists(Folder(place) + kLink)) << place;

  ASSERT_EQ(m.processes.started.size(), 1u);
  EXPECT_EQ(m.processes.started[0].commandLine, "\"E:\\Apps\\Brevanto\\kre.exe\"");
  EXPECT_EQ(Install("MAINDIR")->data, Sz("E:\\Apps\\Brevanto"));
  EXPECT_EQ(Install("EXTENSIONS")->data, Sz("B"));
  EXPECT_EQ(Install("COMPS_FR (3.1.1)")->data, Dword(0x7FFFFFFA));
  EXPECT_FALSE(Uninstall("DisplayName"));

  TSetupState next;
  ReadRegistrySettings(next, {});
  EXPECT_EQ(next.Options.InstallDir, "E:\\Apps\\Brevanto");
}

TEST_F(WholeInstallationTest, PortableUpdateKeepsTheUsersFiles) {
  ASSERT_TRUE(m.AddUsbStick());
  TSetupState first;
  ReadRegistrySettings(first, {"-dE:\\Apps\\Brevanto"});
  RunInstallation(first, *files);
  m.Write(kStick + "Orthographe\\persodicfr.tlx", "mes mots");
  m.Write(kStick + "Modèles de document\\Lettre.dot", "ma lettre");
  m.Write(kStick + "Orthographe\\français.zlx", "older speller");
  m.processes.started.clear();

  TSetupState second;
  ReadRegistrySettings(second, {});
  ASSERT_EQ(second.Options.InstallDir, "E:\\Apps\\Brevanto");
  RunInstallation(second, *files);
  EXPECT_EQ(m.Read(kStick + "Orthographe\\persodicfr.tlx"), "mes mots");
  EXPECT_EQ(m.Read(kStick + "Modèles de document\\Lettre.dot"), "ma lettre");
  EXPECT_EQ(m.Read(kStick + "Orthographe\\français.zlx"), "contents of français.zlx");
  EXPECT_EQ(files->FilesToInstall(0).size(), 0u);
}

TEST_F(WholeInstallationTest, UpdateOverAPreviousInstallation) {
  const std::vector<std::string> oldLog = {"Made Dir: " + kDir, "File Copy: " + kDir + "Ancien.dll",
                                           "File Copy: " + kDir + "KRE.EXE"};
  m.Write(kDir + "Install.log", CrLf(oldLog));
  m.Write(kDir + "Ancien.dll", std::string(10000, 'a'));
  m.Write(common + "Update.log", CrLf({"*0000000000000040", pub + "Ancien.dot\t!",
                                       "*0000000000000840", spelling + "French.asc\t!", ""}));
  const std::string documentsImages =
      JoinPath(GetSpecialFolder(csidl::kPersonal), "Brevanto\\Collections d'inserts\\Images\\");
  m.Write(documentsImages + "Puces\\Cible.gif", "old");
  m.SetString(RegRoot::CurrentUser, kInstallKey, "MAINDIR", "C:\\Program Files\\Brevanto");
  m.SetDword(RegRoot::CurrentUser, kInstallKey, "COMPS_FR (3.1.1)", 0x7FFFFFC3); // 0, 1, 6
  m.SetDword(RegRoot::CurrentUser, kInternalKey, "LastRunVer", 20003999);
  TSetupState state;
  ReadRegistrySettings(state, {});
  ASSERT_EQ(state.CompStates[5], cbUnchecked);

  RunInstallation(state, *files);

  const std::string log = m.Read(kDir + "Install.log");
  EXPECT_EQ(log.substr(0, CrLf(oldLog).size()), CrLf(oldLog));
  EXPECT_EQ(log.substr(CrLf(oldLog).size()),
            CrLf({"Made Dir: " + common + "Hidden\\", "File Copy: " + kDir + "Licence.txt",
                  "File Copy: " + pub + "Basic.asn",
                  "File Copy: " + Folder(csidl::kCommonPrograms) + kLink,
                  "File Copy: " + Folder(csidl::kCommonDesktopDirectory) + kLink}));

  // The insert collections came although unticked, and the old images went.
  EXPECT_TRUE(m.Exists(pub + "Collections d'inserts\\Symboles.ins"));
  EXPECT_FALSE(m.Exists(documentsImages + "Puces\\Cible.gif"));
  EXPECT_FALSE(m.Exists(pub + "Modèles de document\\Lettre.dot"));

  EXPECT_EQ(m.Read(common + "Update.log"),
            CrLf({"*0000000000000040", pub + "Ancien.dot\t!", kStamp, pub + "Basic.asn",
                  pub + "Collections d'inserts\\Images\\Puces\\Losange.gif\t!",
                  pub + "Collections d'inserts\\Images\\Puces\\Puce 1.gif\t!",
                  pub + "Collections d'inserts\\Symboles.ins\t!", spelling + "français.zlx",
                  spelling + "French.asc\t!", spelling + "persodicfr.tlx\t!"}));

  // kre.exe, Licence.txt, Ancien.dll (3 clusters), the old Install.log.
  EXPECT_EQ(Uninstall("EstimatedSize")->data, Dword(4 + 4 + 12 + 4));
  EXPECT_EQ(Install("COMPS_FR (3.1.1)")->data, Dword(0x7FFFFFC2));
}

// A run stopped between a replacement's write and its rename leaves the
// temporary file beside the destination. The next installation removes it from
// every folder it writes, so it is neither installed, logged nor counted.
TEST_F(WholeInstallationTest, TemporaryFilesLeftByAStoppedRunAreRemovedAndNotCounted) {
  // Planted on the host: a write of this run would sweep the folder already.
  const auto plant = [&](const std::string& folder, const std::string& name,
                         const std::string& data) {
    ForceDir(folder);
    std::ofstream(m.Machine().HostPath(folder) + "/" + name, std::ios::binary) << data;
  };
  const std::string other = std::to_string(getpid() == 4242 ? 4243 : 4242);
  const std::string leftover = ".~brv" + other + "-0.tmp";
  plant(kDir, "kre.exe", "old program");
  plant(kDir, leftover, std::string(10000, 't'));
  plant(spelling, ".~brv" + other + "-12.tmp", "half a speller");
  const std::vector<std::string> similar = {leftover + ".old", "~brv" + other + "-0.tmp",
                                            ".~brv" + other + "-100.tmp"};
  for (const std::string& name : similar)
    plant(spelling, name, "not ours");
  TSetupState state;
  ReadRegistrySettings(state, {});

  RunInstallation(state, *files);

  EXPECT_EQ(m.Read(kDir + "kre.exe"), "contents of kre.exe");
  EXPECT_FALSE(m.Exists(kDir + leftover));
  EXPECT_FALSE(m.Exists(spelling + ".~brv" + other + "-12.tmp"));
  for (const std::string& name : similar)
    EXPECT_EQ(m.Read(spelling + name), "not ours") << name;
  EXPECT_EQ(m.Read(kDir + "Install.log").find("brv"), std::string::npos);
  // kre.exe, Licence.txt and Coupe de mots.dat, as in a first installation.
  EXPECT_EQ(Uninstall("EstimatedSize")->data, Dword(12));
}

TEST_F(WholeInstallationTest, ClosingBeforeTheInstallingPageWritesNothing) {
  TSetupState state;
  ReadRegistrySettings(state, {});
  AfterWizard(state, nullptr);
  EXPECT_FALSE(Install("MAINDIR"));
  EXPECT_FALSE(Uninstall("DisplayName"));
  EXPECT_FALSE(m.Exists(kDir + "Install.log"));
}

} // namespace
