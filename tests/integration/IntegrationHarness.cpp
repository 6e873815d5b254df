// The integration tests' machine, catalogue and headless installation run.
#include "IntegrationHarness.h"

#include "engine/InstallStatus.h"
#include "instutils/InstUtils.h"
#include "integration/Associations.h"
#include "integration/DataFolders.h"
#include "integration/FinishActions.h"
#include "integration/InstallSession.h"
#include "integration/LittleEndian.h"
#include "support/ArchiveBuilder.h"

#include <gtest/gtest.h>

#include <chrono>

const char* const kInstallKey = "Software\\Brevanto Word Processor\\Install";
const char* const kInternalKey = "Software\\Brevanto Word Processor\\Internal";
const char* const kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brevanto Word Processor";

namespace {

void ResetGlobals() {
  InstallStatus.Reset();
  FreeInstallLog();
  LogSuspendCount = 0;
  DestIsFileName = false;
}

} // namespace

std::string Dword(uint32_t value) {
  std::string bytes;
  AppendLittleEndian(bytes, value, 4);
  return bytes;
}

std::vector<CatalogueEntry> SampleEntries() {
  const char* names[] = {
      "kre.exe",
      "Licence.txt",
      "French.asc",
      "français.zlx",
      "persodicfr.tlx",
      "English (American).asc",
      "English (American).cache",
      "English (British).asc",
      "english.zlx",
      "us.zlx",
      "uk.zlx",
      "userdicen.tlx",
      "Coupe de mots.dat",
      "Modèles de document\\Lettre.dot",
      "Modèles de document\\Fax\\Télécopie.dot",
      "Collections d'inserts\\Symboles.ins",
      "Collections d'inserts\\Images\\Puces\\Puce 1.gif",
      "Collections d'inserts\\Images\\Puces\\Losange.gif",
      "Basic.asn",
  };
  std::vector<CatalogueEntry> entries;
  for (const char* name : names)
    entries.push_back({name, std::string("contents of ") + name});
  return entries;
}

double SampleEntryDate() {
  return EncodeDateTime(2023, 5, 1, 12, 0, 0, 0);
}

std::unique_ptr<TAttachedFiles> BuildCatalogue(const std::vector<CatalogueEntry>& entries) {
  ArchiveBuilder archive;
  for (const CatalogueEntry& entry : entries)
    archive.Add(entry.name, entry.data, SampleEntryDate());
  return archive.Catalogue();
}

IntegrationMachine::IntegrationMachine() {
  ResetGlobals();
  real_ = platform::Current();
  services_ = real_;
  clock_ = std::make_unique<FixedClock>(*services_.clock);
  registry = std::make_unique<RecordingRegistry>(*services_.registry);
  services_.clock = clock_.get();
  services_.processes = &processes;
  services_.registry = registry.get();
  scope_ = std::make_unique<platform::ScopedPlatform>(services_);
}

IntegrationMachine::~IntegrationMachine() {
  ResetGlobals();
}

bool IntegrationMachine::AddUsbStick() {
  DriveSpec stick;
  stick.letter = 'E';
  stick.type = drive::kRemovable;
  stick.label = "CLE USB";
  return machine_.AddDrive(stick);
}

bool IntegrationMachine::Exists(const std::string& path) const {
  return platform::Fs().IsFile(path);
}

std::string IntegrationMachine::Read(const std::string& path) const {
  std::string text;
  EXPECT_EQ(platform::Fs().ReadFile(path, text), platform::IoStatus::Ok) << path;
  return text;
}

void IntegrationMachine::Write(const std::string& path, const std::string& data) const {
  ForceDir(path.substr(0, path.rfind('\\') + 1));
  ASSERT_EQ(platform::Fs().ReplaceFile(path, data.data(), data.size(), nullptr),
            platform::IoStatus::Ok)
      << path;
}

std::optional<RegValue> IntegrationMachine::Value(platform::RegRoot root, const std::string& key,
                                                  const std::string& name) const {
  platform::Registry& reg = *real_.registry;
  platform::Registry::Key k = reg.CreateKey(root, nullptr, key);
  RegValue value{};
  const bool found = k && reg.QueryValue(k, name, &value.type, &value.data);
  if (k)
    reg.CloseKey(k);
  if (!found)
    return std::nullopt;
  return value;
}

void IntegrationMachine::SetValue(platform::RegRoot root, const std::string& key,
                                  const std::string& name, uint32_t type,
                                  const std::string& data) const {
  platform::Registry& reg = *real_.registry;
  platform::Registry::Key k = reg.CreateKey(root, nullptr, key);
  ASSERT_NE(k, nullptr);
  reg.SetValue(k, name, type, data);
  reg.CloseKey(k);
}

void IntegrationMachine::SetDword(platform::RegRoot root, const std::string& key,
                                  const std::string& name, uint32_t value) const {
  SetValue(root, key, name, regtype::kDword, Dword(value));
}

void IntegrationMachine::SetString(platform::RegRoot root, const std::string& key,
                                   const std::string& name, const std::string& value) const {
  SetValue(root, key, name, regtype::kSz, value + '\0');
}

void DriveWorker(TInstallThread& worker, RunResult& result) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!worker.Finished()) {
    const TInstallState state = InstallStatus.State();
    if (state == tsAsking) {
      result.dialogs.push_back(InstallStatus.MsgText.Bytes());
      InstallStatus.MsgResult = 3; // IDABORT
      InstallStatus.SetState(tsAnswered);
      continue;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      ADD_FAILURE() << "the worker did not end";
      return;
    }
    InstallStatus.WaitWhileFor(state, std::chrono::milliseconds(50));
  }
  worker.WaitFor();
}

RunResult RunInstallation(TSetupState& state, TAttachedFiles& files) {
  RunResult result;
  std::unique_ptr<TInstallThread> worker = StartInstallation(state, files);
  DriveWorker(*worker, result);
  if (InstallStatus.State() == tsStop) {
    InstallStatus.SetState(tsIdle);
    if (!IsPortableInstall(state))
      SetAssocBoxesFromExtensions(state);
    FinishActions(state);
    result.finishClicked = FinishClick(state, files);
  }
  AfterWizard(state, worker.get());
  return result;
}
