// The whole installation as the setup program runs it after the Start page,
// over whichever platform is in force: the emulated machine natively, the
// real system on Windows.
#include "bench/InstallDriver.h"
#include "bench/Installation.h"
#include "bench/MappedFile.h"
#include "engine/AttachFiles.h"
#include "engine/Components.h"
#include "engine/InstallStatus.h"
#include "engine/InstallThread.h"
#include "engine/ThreadMessageDlg.h"
#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/InstallSession.h"
#include "integration/Settings.h"

#include <memory>

namespace {

bool Fail(InstallReport& report, const std::string& why) {
  report.error = why;
  return false;
}

size_t PlannedFiles(const TAttachedFiles& files) {
  size_t count = 0;
  for (int comp = 0; comp < kComponentCount; ++comp)
    count += files.FilesToInstall(comp).size();
  return count;
}

// The catalogue made from the archive file, as the program makes it from its
// resource; the mapping ends with this function.
std::unique_ptr<TAttachedFiles> LoadCatalogue(const std::string& archive, InstallReport& report) {
  const MappedFile compressed(archive);
  if (!compressed.Ok()) {
    Fail(report, "cannot read the archive");
    return nullptr;
  }
  report.compressedBytes = compressed.Bytes().size();
  ArchiveError error = ArchiveError::None;
  auto files = TAttachedFiles::FromCompressed(
      reinterpret_cast<const uint8_t*>(compressed.Bytes().data()), report.compressedBytes, error);
  if (!files)
    Fail(report, DescribeArchiveError(error));
  return files;
}

} // namespace

void BeginInstallRun(TSetupState& state, const std::vector<std::string>& args) {
  InstallStatus.Reset();
  SetUserInterfaceThread(nullptr);
  ReadRegistrySettings(state, args);
}

bool InstallArchiveFile(const std::string& archive, TSetupState& state, InstallReport& report) {
  auto files = LoadCatalogue(archive, report);
  if (!files)
    return false;
  report.inflatedBytes = files->DataSize();
  report.entries = files->Files().size();
  auto worker = StartInstallation(state, *files);
  report.plannedFiles = PlannedFiles(*files);
  const bool completed = AwaitWorker(*worker, report.error);
  // As the program does: a portable installation saves no install log.
  const bool saved = !completed || IsPortableInstall(state) || SaveInstallLog();
  FreeInstallLog();
  return completed && (saved || Fail(report, "the install log could not be saved"));
}
