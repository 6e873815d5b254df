// One installation by the engine into an emulated machine, as the setup
// program runs it after the wizard's Start page, whole or phase by phase.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// LogLines is not a step of the installation: the program logs only a few of
// its files, so the log never grows with the archive. It gives the log one
// line per planned file, twice (in two letter cases, so the second is a
// duplicate), saves it and reads it back as an update does, to show the
// log's cost at scale.
enum class Phase { Inflate, Index, ComponentSize, Plan, Extract, LogSave, LogLines, Count };

// Lower-case names used on the command line and in reports ("inflate", …).
const char* PhaseName(Phase phase);

struct InstallReport {
  double seconds[size_t(Phase::Count)] = {};
  long residentKiB[size_t(Phase::Count)] = {}; // after each phase
  size_t compressedBytes = 0;
  int32_t inflatedBytes = 0;
  size_t entries = 0;
  size_t plannedFiles = 0;
  size_t logLines = 0; // lines of the log read back by LogLines
  std::string error;   // empty when the installation completed
};

// The whole installation of the archive file into the machine at root with
// the default choices (every component, the default folder): catalogue,
// install log, plan, extraction on the install thread, log saved. The file
// is mapped as the program maps its resource, and released once inflated.
// False with report.error when the archive is damaged or a file could not
// be written.
bool RunWholeInstallation(const std::string& archive, const std::string& root,
                          InstallReport& report);

struct TSetupState;

// The program's start-of-run state for one installation: the status record
// idle, the calling thread the user-interface thread, the choices read from
// the registry of the platform in force with the command-line arguments args
// ("-dFOLDER" chooses the install folder, as it does for the program).
void BeginInstallRun(TSetupState& state, const std::vector<std::string>& args);

// The whole installation of the archive file with the choices in state, over
// the platform in force: catalogue, install log, plan, extraction on the
// install thread, log saved unless portable. False with report.error when
// the archive is damaged or a file could not be written.
bool InstallArchiveFile(const std::string& archive, TSetupState& state, InstallReport& report);

// The same steps taken one by one and timed, with the seven component sizes
// the component page asks for; stops after lastPhase.
bool RunPhases(const std::string& archive, const std::string& root, Phase lastPhase,
               InstallReport& report);
