// The start-up sequence: the system gate, the application's identity, the
// catalogue with its damaged-archive message, the summary standing in for
// the wizard, and the teardown, with exit code 0 on every path.
#include "engine/Startup.h"

#include "engine/AttachFiles.h"
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"
#include "platform/Constants.h"
#include "support/ArchiveBuilder.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Answers the version the test chooses and records every call in order.
class RecordingSystem : public platform::System {
public:
  explicit RecordingSystem(platform::OsVersion version) : version_(version) {}

  platform::OsVersion Version() override {
    calls.push_back("Version");
    return version_;
  }
  void ShowMessageBox(const std::string& text, const char* caption,
                      platform::MessageIcon icon) override {
    calls.push_back("MessageBox");
    texts.push_back(text);
    captions.push_back(caption ? caption : "(none)");
    icons.push_back(icon);
    catalogueDuringMessage.push_back(AttachedFiles != nullptr);
  }
  void SetApplicationIdentity(const std::string& title) override {
    calls.push_back("Identity:" + title);
  }
  void InitObjectModel() override { calls.push_back("Init"); }
  void UninitObjectModel() override { calls.push_back("Uninit"); }

  std::vector<std::string> calls;
  std::vector<std::string> texts;
  std::vector<std::string> captions;
  std::vector<platform::MessageIcon> icons;
  std::vector<bool> catalogueDuringMessage;

private:
  platform::OsVersion version_;
};

const char* const kOldSystem =
    "Ce programme nécessite Windows 2000 ou un système Windows plus récent.";
const char* const kDamaged =
    "Le programme d'installation est endommagé : les fichiers à installer sont introuvables ou "
    "illisibles.\rVeuillez télécharger à nouveau le programme d'installation.";

class StartupTest : public ::testing::Test {
protected:
  int Run(platform::OsVersion version, const std::string& archive) {
    system = std::make_unique<RecordingSystem>(version);
    platform::Platform services = platform::Current();
    services.system = system.get();
    platform::ScopedPlatform scope(services);
    return RunSetup({}, std::span(Bytes(archive), archive.size()));
  }

  std::vector<std::string> Expected(std::initializer_list<std::string> middle) const {
    std::vector<std::string> calls = {"Init", "Version"};
    calls.insert(calls.end(), middle);
    calls.push_back("Uninit");
    return calls;
  }

  TestMachine machine;
  std::unique_ptr<RecordingSystem> system;
  const std::string archive = ArchiveBuilder()
                                  .Add("kre.exe", std::string(3000, 'k'))
                                  .Add("Licence.txt", std::string(2000, 'l'))
                                  .Add("Modèles de document\\Divers\\a.mdl", "modele")
                                  .Compressed();
  const std::string identity = std::string("Identity:") + SetupTitle;
};

TEST_F(StartupTest, SystemsBeforeWindows2000AreRefusedWithoutOpeningTheArchive) {
  const platform::OsVersion refused[] = {{2, 4, 0}, {1, 4, 90}, {1, 5, 0}, {0, 3, 10}};
  for (const platform::OsVersion& version : refused) {
    EXPECT_EQ(Run(version, "not even an archive"), 0);
    EXPECT_EQ(system->calls, Expected({"MessageBox"}));
    ASSERT_EQ(system->texts.size(), 1u);
    EXPECT_EQ(system->texts[0], kOldSystem);
    EXPECT_EQ(system->captions[0], "(none)");
    EXPECT_EQ(system->icons[0], platform::MessageIcon::Exclamation);
    EXPECT_FALSE(system->catalogueDuringMessage[0]);
  }
}

TEST_F(StartupTest, Windows2000AndLaterGetTheCatalogueAndTheWizard) {
  for (uint32_t major : {5u, 6u, 10u}) {
    EXPECT_EQ(Run({2, major, 0}, archive), 0);
    EXPECT_EQ(system->calls, Expected({identity, "MessageBox"}));
    ASSERT_EQ(system->texts.size(), 1u);
    EXPECT_EQ(system->icons[0], platform::MessageIcon::Information);
    EXPECT_EQ(system->captions[0], SetupTitle);
    EXPECT_TRUE(system->catalogueDuringMessage[0]) << "AttachedFiles is set for the wizard";
    EXPECT_EQ(AttachedFiles, nullptr) << "and cleared once the catalogue is gone";
  }
}

TEST_F(StartupTest, SummaryNamesTheFilesTheirSizeAndEachComponent) {
  Run({2, 5, 1}, archive);
  ASSERT_EQ(system->texts.size(), 1u);
  const std::string& text = system->texts[0];
  EXPECT_NE(text.find("3 fichiers (4 Ko)"), std::string::npos) << text;
  EXPECT_NE(text.find(JoinPath(GetSpecialFolder(csidl::kProgramFiles), "Brevanto")),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\rTraitement de texte Brevanto : "), std::string::npos) << text;
  EXPECT_NE(text.find("\rModule sonore de base : 0 Ko"), std::string::npos) << text;
  EXPECT_EQ(text.find('\n'), std::string::npos) << "lines break with CR alone";
}

TEST_F(StartupTest, DamagedOrEmptyArchivesGetOneClearMessage) {
  const std::string cut = archive.substr(0, archive.size() - 10);
  const std::string badRecord = ArchiveBuilder().AddDeclared("a", 50, "x").Compressed();
  const std::string unsafe = ArchiveBuilder().Add("..\\x.exe", "x").Compressed();
  for (const std::string& damaged : {cut, badRecord, unsafe, std::string(), Deflate("")}) {
    EXPECT_EQ(Run({2, 5, 0}, damaged), 0);
    EXPECT_EQ(system->calls, Expected({identity, "MessageBox"}));
    ASSERT_EQ(system->texts.size(), 1u);
    EXPECT_EQ(system->texts[0], kDamaged);
    EXPECT_EQ(system->captions[0], SetupTitle);
    EXPECT_EQ(system->icons[0], platform::MessageIcon::Error);
  }
}

TEST_F(StartupTest, MissingResourceGetsTheDamagedArchiveMessage) {
  if (std::getenv("BREVANTO_FILES"))
    GTEST_SKIP() << "an archive is supplied through BREVANTO_FILES";
  system = std::make_unique<RecordingSystem>(platform::OsVersion{2, 5, 0});
  platform::Platform services = platform::Current();
  services.system = system.get();
  platform::ScopedPlatform scope(services);
  EXPECT_EQ(RunSetup({"-dC:\\Ailleurs"}), 0);
  ASSERT_EQ(system->texts.size(), 1u);
  EXPECT_EQ(system->texts[0], kDamaged);
}

TEST_F(StartupTest, TemporaryFilesAreGoneAfterARun) {
  const std::string temp = NewTempFileName();
  ASSERT_TRUE(WriteStringToFile(temp, "reste d'une installation précédente"));
  Run({2, 5, 0}, archive);
  EXPECT_FALSE(platform::Fs().IsFile(temp));
}

} // namespace
