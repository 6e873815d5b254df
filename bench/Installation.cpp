// The installation steps over the engine's own code: the catalogue, the
// install log, PrepareInstall, the install thread and the log save.
#include "bench/Installation.h"

#include "bench/InstallDriver.h"
#include "bench/MappedFile.h"
#include "bench/Stopwatch.h"
#include "engine/AttachFiles.h"
#include "engine/Components.h"
#include "engine/InstallStatus.h"
#include "engine/InstallThread.h"
#include "engine/ThreadMessageDlg.h"
#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/InstallPlan.h"
#include "integration/InstallSession.h"
#include "integration/Settings.h"
#include "platform/Memory.h"
#include "platform/posix/Machine.h"

#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

const char* const kPhaseNames[] = {"inflate", "index",   "componentsize", "plan",
                                   "extract", "logsave", "loglines"};

const uint8_t* Bytes(std::string_view s) {
  return reinterpret_cast<const uint8_t*>(s.data());
}

// The emulated machine in force for one installation, and the program's
// start-of-run state: the status record idle, the calling thread the
// user-interface thread, the choices read from the (fresh) registry.
class Session {
public:
  explicit Session(const std::string& root) : machine_(root), scope_(machine_.Services()) {
    BeginInstallRun(state, {});
  }
  ~Session() { FreeInstallLog(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  TSetupState state;

private:
  platform::posix::Machine machine_;
  platform::ScopedPlatform scope_;
};

bool Fail(InstallReport& report, const std::string& why) {
  report.error = why;
  return false;
}

// The resident set of this process now, from /proc; 0 when unknown.
long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

size_t PlannedFiles(const TAttachedFiles& files) {
  size_t count = 0;
  for (int comp = 0; comp < kComponentCount; ++comp)
    count += files.FilesToInstall(comp).size();
  return count;
}

// The first steps of StartInstallation, without starting the worker, so that
// the plan and the extraction are timed apart.
void PrepareLogAndPlan(TSetupState& state, TAttachedFiles& files) {
  NewInstallLog();
  InstallLogFileName = GetInstallFilePath(state, "Install.log");
  LoadInstallLog(InstallLogFileName);
  state.InstallStarted = true;
  for (int i = 0; i < kComponentCount; ++i) {
    if (state.CompStates[i] != cbUnchecked)
      state.SelectedComps |= uint8_t(1u << i);
  }
  PrepareInstall(state, files);
}

// The phases of one installation, each a step over the engine's code whose
// time goes into the report.
class PhaseRun {
public:
  PhaseRun(const std::string& archive, const std::string& root, InstallReport& report)
      : archive_(std::make_unique<MappedFile>(archive)), session_(root), report_(report) {
    report_.compressedBytes = archive_->Bytes().size();
  }

  bool Run(Phase lastPhase) {
    using Step = bool (PhaseRun::*)();
    const Step steps[] = {&PhaseRun::Inflate,     &PhaseRun::Index,   &PhaseRun::ComponentSizes,
                          &PhaseRun::Plan,        &PhaseRun::Extract, &PhaseRun::SaveLog,
                          &PhaseRun::LogEveryFile};
    for (size_t phase = 0; phase <= size_t(lastPhase); ++phase) {
      Stopwatch clock;
      const bool ok = (this->*steps[phase])();
      report_.seconds[phase] = clock.Lap();
      report_.residentKiB[phase] = ResidentKiB();
      if (!ok)
        return false;
    }
    return true;
  }

private:
  // The compressed bytes are not needed once inflated. The block is
  // obtained and hinted as TAttachedFiles::FromCompressed does, so that the
  // phase costs what it costs in the program.
  bool Inflate() {
    if (!archive_->Ok())
      return Fail(report_, "cannot read the archive");
    const std::string_view compressed = archive_->Bytes();
    const ArchiveError e = InflateArchive(Bytes(compressed), compressed.size(), image_,
                                          platform::AdviseLargeBlock, platform::AllocateLargeBlock);
    archive_.reset();
    report_.inflatedBytes = image_.size;
    return e == ArchiveError::None || Fail(report_, DescribeArchiveError(e));
  }

  bool Index() {
    ArchiveError e = ArchiveError::None;
    files_ = TAttachedFiles::FromImage(std::move(image_), e);
    if (!files_)
      return Fail(report_, DescribeArchiveError(e));
    report_.entries = files_->Files().size();
    return true;
  }

  // What the component page asks for each of its seven rows.
  bool ComponentSizes() {
    int64_t sum = 0;
    for (const TComponent& component : Components)
      sum += files_->ComponentSize(component.FileList, session_.state.Options.InstallDir);
    return sum > 0 || Fail(report_, "the components have no size");
  }

  bool Plan() {
    PrepareLogAndPlan(session_.state, *files_);
    report_.plannedFiles = PlannedFiles(*files_);
    return true;
  }

  bool Extract() {
    InstallStatus.SetState(tsRunning);
    TInstallThread worker(*files_);
    return AwaitWorker(worker, report_.error);
  }

  bool SaveLog() { return SaveInstallLog() || Fail(report_, "the install log could not be saved"); }

  bool LogEveryFile() {
    for (int comp = 0; comp < kComponentCount; ++comp) {
      for (const TFileToInstall& file : files_->FilesToInstall(comp)) {
        const std::string line = std::string("File Copy: ").append(file.DestName);
        AddLogLine(line);
        AddLogLine(UpperCase(line));
      }
    }
    if (!SaveInstallLog())
      return Fail(report_, "the install log could not be saved");
    NewInstallLog();
    if (!LoadInstallLog(InstallLogFileName))
      return Fail(report_, "the install log could not be read back");
    report_.logLines = InstallLog->Count();
    return true;
  }

  std::unique_ptr<MappedFile> archive_;
  Session session_;
  InstallReport& report_;
  InflatedImage image_;
  std::unique_ptr<TAttachedFiles> files_;
};

} // namespace

const char* PhaseName(Phase phase) {
  return phase < Phase::Count ? kPhaseNames[size_t(phase)] : "?";
}

bool RunWholeInstallation(const std::string& archive, const std::string& root,
                          InstallReport& report) {
  Session session(root);
  return InstallArchiveFile(archive, session.state, report);
}

bool RunPhases(const std::string& archive, const std::string& root, Phase lastPhase,
               InstallReport& report) {
  return PhaseRun(archive, root, report).Run(lastPhase);
}
