// A fresh emulated machine for the integration tests, with a clock fixed at a
// known time, a recorder of started programs and registry writes, a small
// catalogue built in memory, and a headless run of a whole installation.
#pragma once

#include "engine/AttachFiles.h"
#include "engine/InstallThread.h"
#include "integration/SetupState.h"
#include "platform/Platform.h"
#include "support/TestMachine.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// 1 January 2024, 12:00:00 local: day count 45292.5 exactly.
constexpr double kFixedNow = 45292.5;

struct CatalogueEntry {
  std::string name;
  std::string data;
};

// The sample's names: the program, the licence, both spellers, the
// hyphenation module, two templates, insert collections with images, and the
// sound module. The data of each entry is its own name.
std::vector<CatalogueEntry> SampleEntries();
// The date of every sample entry: 1 May 2023, 12:00:00.
double SampleEntryDate();
std::unique_ptr<TAttachedFiles> BuildCatalogue(const std::vector<CatalogueEntry>& entries);

class FixedClock : public platform::Clock {
public:
  explicit FixedClock(platform::Clock& real) : real_(real) {}
  platform::LocalTime Now() override { return {2024, 1, 1, 12, 0, 0, 0}; }
  bool LocalDosToUtc(uint16_t dosDate, uint16_t dosTime, platform::FileTime& utc) override {
    return real_.LocalDosToUtc(dosDate, dosTime, utc);
  }
  bool UtcToLocalDos(platform::FileTime utc, uint16_t& dosDate, uint16_t& dosTime) override {
    return real_.UtcToLocalDos(utc, dosDate, dosTime);
  }

private:
  platform::Clock& real_;
};

// Records every command line instead of starting it; the word processor
// counts as running (its windows carry propertyOfRunningCopy) while
// wordProcessorRunning is set.
class RecordingProcesses : public platform::Processes {
public:
  struct Started {
    std::string commandLine;
    int show;
    std::string folder; // the current folder a launched program gets; "" for Exec
  };
  unsigned Exec(const std::string& commandLine, int show) override {
    started.push_back({commandLine, show, ""});
    return 33;
  }
  bool Launch(const std::string&, const std::string& commandLine, const std::string& folder,
              int show) override {
    started.push_back({commandLine, show, folder});
    return !launchWithheld;
  }
  bool AnyTopLevelWindowHasProperty(const std::string& name) override {
    ++windowSearches;
    return wordProcessorRunning && name == propertyOfRunningCopy;
  }
  std::vector<Started> started;
  bool wordProcessorRunning = false;
  bool launchWithheld = false; // Launch answers as an elevated setup whose shell cannot help
  std::string propertyOfRunningCopy = "1.x Corvo Lune";
  int windowSearches = 0;
};

// Forwards to the machine's registry, recording the names of values written.
class RecordingRegistry : public platform::Registry {
public:
  explicit RecordingRegistry(platform::Registry& real) : real_(real) {}
  Key CreateKey(platform::RegRoot root, Key parent, const std::string& subKey) override {
    return real_.CreateKey(root, parent, subKey);
  }
  bool QueryValue(Key key, const std::string& name, uint32_t* type, std::string* data) override {
    return real_.QueryValue(key, name, type, data);
  }
  bool SetValue(Key key, const std::string& name, uint32_t type, const std::string& data) override {
    written.push_back(name);
    return real_.SetValue(key, name, type, data);
  }
  void CloseKey(Key key) override { real_.CloseKey(key); }
  std::vector<std::string> written;

private:
  platform::Registry& real_;
};

struct RegValue {
  uint32_t type;
  std::string data;
};

class IntegrationMachine {
public:
  IntegrationMachine();
  ~IntegrationMachine();

  bool Emulated() const { return machine_.Emulated(); }
  TestMachine& Machine() { return machine_; }
  // Replaces services of the machine (a faulty file system, say) until destroyed.
  const platform::Platform& Services() const { return services_; }

  // A removable drive E: (a USB stick).
  bool AddUsbStick();

  bool Exists(const std::string& path) const;
  std::string Read(const std::string& path) const;
  void Write(const std::string& path, const std::string& data) const;

  std::optional<RegValue> Value(platform::RegRoot root, const std::string& key,
                                const std::string& name) const;
  void SetValue(platform::RegRoot root, const std::string& key, const std::string& name,
                uint32_t type, const std::string& data) const;
  void SetDword(platform::RegRoot root, const std::string& key, const std::string& name,
                uint32_t value) const;
  void SetString(platform::RegRoot root, const std::string& key, const std::string& name,
                 const std::string& value) const;

  RecordingProcesses processes;
  std::unique_ptr<RecordingRegistry> registry;

private:
  TestMachine machine_;
  std::unique_ptr<FixedClock> clock_;
  platform::Platform real_;     // the machine's own services
  platform::Platform services_; // with the fixed clock and the recorders
  std::unique_ptr<platform::ScopedPlatform> scope_;
};

// The outcome of a headless installation.
struct RunResult {
  bool finishClicked = false;       // the "&Terminer" click succeeded
  std::vector<std::string> dialogs; // worker dialog texts (each answered Abort)
};

// Runs an installation the way the wizard does, without a window: the start,
// the worker to its end, the associations page (unless portable), the Finish
// page, the "&Terminer" click and the steps after the wizard.
RunResult RunInstallation(TSetupState& state, TAttachedFiles& files);

// Waits for the worker to end, answering Abort to any dialog it asks for.
void DriveWorker(TInstallThread& worker, RunResult& result);

// The Install key and the uninstall key.
extern const char* const kInstallKey;
extern const char* const kInternalKey;
extern const char* const kUninstallKey;

// 32-bit little-endian bytes of a REG_DWORD.
std::string Dword(uint32_t value);
