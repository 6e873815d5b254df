// brevanto_bench.exe: the engine measured on Windows (under Wine here), each
// figure timed inside the process.
//
//   brevanto_bench install ARCHIVE FOLDER   the whole installation into FOLDER
//   brevanto_bench steps ARCHIVE FOLDER     the same, timed step by step
//   brevanto_bench startup ARCHIVE ROUNDS   catalogue against a bare inflate
//   brevanto_bench firstpage TIMEOUT_MS     waits for the wizard of a setup
//                                           program started after it
//
// Results are printed one per line as "key value", times in seconds.
#include "bench/InstallDriver.h"
#include "bench/Installation.h"
#include "bench/MappedFile.h"
#include "bench/StartupCost.h"
#include "bench/Stopwatch.h"
#include "engine/AttachFiles.h"
#include "engine/InstallStatus.h"
#include "engine/InstallThread.h"
#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/InstallPlan.h"
#include "integration/SetupState.h"
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/System.h"
#include "platform/win32/WindowsSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int Usage() {
  std::fprintf(stderr, "usage: brevanto_bench install ARCHIVE FOLDER\n"
                       "       brevanto_bench steps ARCHIVE FOLDER\n"
                       "       brevanto_bench startup ARCHIVE ROUNDS\n"
                       "       brevanto_bench firstpage TIMEOUT_MS\n");
  return 2;
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "brevanto_bench: %s\n", why.c_str());
  return 1;
}

// The installation as the program makes it with "-dFOLDER". The data folder
// it fills is shared by every installation of the machine, so it is moved
// beside FOLDER afterwards (untimed): the next run starts as fresh as this
// one, and nothing is deleted while figures are taken.
// Before the Start page the program has initialised the object model and the
// wizard's pages have asked for the special folders and the destination's
// drive; on Windows that loads ole32, shell32 and mpr, which takes longer
// than installing a small archive. Done here untimed, as it is done before
// the installation in the program.
void WarmUpAsTheWizardDoes(TSetupState& state) {
  platform::Current().system->InitObjectModel();
  GetSpecialFolder(csidl::kCommonAppData);
  IsPortableInstall(state);
}

// Moves the data folder the installation filled beside folder.
bool MoveDataAside(const TSetupState& state, const std::string& folder) {
  std::string data = GetDataFolder(state, dfCommon), aside = folder;
  data.pop_back();
  while (!aside.empty() && aside.back() == '\\')
    aside.pop_back();
  return MoveFileA(data.c_str(), (aside + ".data").c_str());
}

int Install(const std::string& archive, const std::string& folder) {
  TSetupState state;
  BeginInstallRun(state, {"-d" + folder});
  WarmUpAsTheWizardDoes(state);
  InstallReport report;
  Stopwatch clock;
  const bool ok = InstallArchiveFile(archive, state, report);
  const double seconds = clock.Lap();
  if (!ok)
    return Fail(report.error);
  if (!MoveDataAside(state, folder))
    return Fail("cannot move the data folder aside");
  std::printf("install %.6f\ncompressed %zu\ninflated %d\nentries %zu\nplanned %zu\n", seconds,
              report.compressedBytes, report.inflatedBytes, report.entries, report.plannedFiles);
  return 0;
}

// The end of each step is timed and marked with a named event, "step-NAME",
// created and closed at once: in a Wine server trace (wineserver -d1) its
// create_event request cuts the requests of one step from the next.
class StepClock {
public:
  void End(const char* name) {
    const double seconds = clock_.Lap();
    const HANDLE mark = CreateEventA(nullptr, FALSE, FALSE, (std::string("step-") + name).c_str());
    if (mark)
      CloseHandle(mark);
    char line[80];
    std::snprintf(line, sizeof line, "step %s %.6f\n", name, seconds);
    report_ += line;
    clock_.Lap(); // the mark is not counted in the next step
  }
  const std::string& Report() const { return report_; }

private:
  Stopwatch clock_;
  std::string report_;
};

// The steps of InstallArchiveFile one by one, as StartInstallation takes
// them: catalogue, portable test, install log, plan, worker started,
// extraction, log saved, log freed, catalogue released.
int Steps(const std::string& archive, const std::string& folder) {
  TSetupState state;
  BeginInstallRun(state, {"-d" + folder});
  WarmUpAsTheWizardDoes(state);
  std::string error;
  Stopwatch total;
  StepClock steps;
  {
    std::unique_ptr<TAttachedFiles> files;
    {
      const MappedFile compressed(archive);
      ArchiveError e = ArchiveError::None;
      if (compressed.Ok())
        files = TAttachedFiles::FromCompressed(
            reinterpret_cast<const uint8_t*>(compressed.Bytes().data()), compressed.Bytes().size(),
            e);
    }
    if (!files)
      return Fail("cannot read the archive");
    steps.End("catalogue");
    state.PortableAtStart = IsPortableInstall(state);
    steps.End("portable");
    NewInstallLog();
    InstallLogFileName = GetInstallFilePath(state, "Install.log");
    LoadInstallLog(InstallLogFileName);
    steps.End("loadlog");
    state.InstallStarted = true;
    for (int i = 0; i < kComponentCount; ++i) {
      if (state.CompStates[i] != cbUnchecked)
        state.SelectedComps |= uint8_t(1u << i);
    }
    PrepareInstall(state, *files);
    steps.End("plan");
    InstallStatus.SetState(tsRunning);
    TInstallThread worker(*files);
    steps.End("threadstart");
    const bool completed = AwaitWorker(worker, error);
    steps.End("extract");
    if (completed && !SaveInstallLog())
      error = "the install log could not be saved";
    steps.End("savelog");
    FreeInstallLog();
    steps.End("freelog");
  }
  steps.End("release");
  const double seconds = total.Lap();
  if (!error.empty())
    return Fail(error);
  if (!MoveDataAside(state, folder))
    return Fail("cannot move the data folder aside");
  std::printf("%sinstall %.6f\n", steps.Report().c_str(), seconds);
  return 0;
}

int Startup(const std::string& archive, int rounds) {
  std::string error;
  return PrintStartup(archive, rounds, error) ? 0 : Fail(error);
}

double FileTimeSeconds(const FILETIME& t) {
  return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
}

double NowSeconds() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return FileTimeSeconds(now);
}

// The first visible top-level window captioned with the setup's title.
HWND FindWizard() {
  HWND window = FindWindowA(nullptr, SetupTitle);
  return window && IsWindowVisible(window) ? window : nullptr;
}

// Polls every millisecond for the wizard; the time is counted from the
// creation of its process (as the system records it) to the poll that finds
// it shown. The setup program is ended afterwards, without its teardown.
int FirstPage(int timeoutMs) {
  std::printf("ready\n");
  std::fflush(stdout);
  const double deadline = NowSeconds() + timeoutMs / 1000.0;
  HWND wizard = nullptr;
  while (!(wizard = FindWizard())) {
    if (NowSeconds() > deadline)
      return Fail("no wizard within the time allowed");
    Sleep(1);
  }
  const double shown = NowSeconds();
  DWORD pid = 0;
  GetWindowThreadProcessId(wizard, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
  if (!process)
    return Fail("cannot open the setup process");
  FILETIME created{}, exited{}, kernel{}, user{};
  const bool timed = GetProcessTimes(process, &created, &exited, &kernel, &user);
  TerminateProcess(process, 0);
  CloseHandle(process);
  if (!timed)
    return Fail("no creation time for the setup process");
  std::printf("first_page %.6f\n", shown - FileTimeSeconds(created));
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "install")
    return Install(args[1], args[2]);
  if (args.size() == 3 && args[0] == "steps")
    return Steps(args[1], args[2]);
  if (args.size() == 3 && args[0] == "startup")
    return Startup(args[1], std::atoi(args[2].c_str()));
  if (args.size() == 2 && args[0] == "firstpage")
    return FirstPage(std::atoi(args[1].c_str()));
  return Usage();
}
