// The start-up sequence: object model, system gate, application identity,
// catalogue, wizard, teardown. Every path ends with exit code 0.
#include "engine/Startup.h"

#include "engine/AttachFiles.h"
#include "engine/Components.h"
#include "instutils/Paths.h"
#include "instutils/TextUtils.h"
#include "platform/Constants.h"
#include "platform/Platform.h"

#include <functional>
#include <memory>

namespace {

using CatalogueLoader = std::function<std::unique_ptr<TAttachedFiles>(ArchiveError&)>;

const char* const kOldSystemText =
    "Ce programme nécessite Windows 2000 ou un système Windows plus récent.";
const char* const kDamagedText =
    "Le programme d'installation est endommagé : les fichiers à installer sont introuvables ou "
    "illisibles.\rVeuillez télécharger à nouveau le programme d'installation.";

constexpr uint32_t kPlatformNt = 2;

bool IsSupportedSystem(const platform::OsVersion& version) {
  return version.platformId == kPlatformNt && version.major > 4;
}

std::string FileCountText(size_t count) {
  return std::to_string(count) + (count > 1 ? " fichiers" : " fichier");
}

std::string CatalogueSummary(const TAttachedFiles& files) {
  const std::string installDir = JoinPath(GetSpecialFolder(csidl::kProgramFiles), "Brevanto");
  int64_t total = 0;
  for (const TAttachedFile& file : files.Files())
    total += file.Size;
  std::string text = "Le programme d'installation contient " + FileCountText(files.Files().size()) +
                     " (" + FormatSize(total) + ").\r\rPlace nécessaire dans " + installDir + " :";
  for (const TComponent& component : Components) {
    text.append("\r").append(component.Name).append(" : ");
    text += FormatSize(files.ComponentSize(component.FileList, installDir));
  }
  return text;
}

// A setup without files to install is as useless as a damaged one, so an
// archive without entries gets the same message.
void RunWithCatalogue(platform::System& system, const CatalogueLoader& load,
                      const TWizardRun& wizard) {
  system.SetApplicationIdentity(SetupTitle);
  ArchiveError error = ArchiveError::None;
  std::unique_ptr<TAttachedFiles> files = load(error);
  if (!files || files->Files().empty()) {
    system.ShowMessageBox(kDamagedText, SetupTitle, platform::MessageIcon::Error);
    return;
  }
  AttachedFiles = files.get();
  wizard(*files);
  AttachedFiles = nullptr;
  files.reset();
}

int Run(const CatalogueLoader& load, const TWizardRun& wizard) {
  platform::System& system = *platform::Current().system;
  system.InitObjectModel();
  if (IsSupportedSystem(system.Version()))
    RunWithCatalogue(system, load, wizard);
  else
    system.ShowMessageBox(kOldSystemText, nullptr, platform::MessageIcon::Exclamation);
  system.UninitObjectModel();
  return 0;
}

std::unique_ptr<TAttachedFiles> LoadAttached(ArchiveError& error) {
  return TAttachedFiles::FromResource(error);
}

} // namespace

void ShowCatalogueSummary(TAttachedFiles& files) {
  platform::Current().system->ShowMessageBox(CatalogueSummary(files), SetupTitle,
                                             platform::MessageIcon::Information);
}

int RunSetup([[maybe_unused]] const std::vector<std::string>& args, const TWizardRun& wizard) {
  return Run(LoadAttached, wizard);
}

int RunSetup(const std::vector<std::string>& args) {
  return RunSetup(args, ShowCatalogueSummary);
}

int RunSetup([[maybe_unused]] const std::vector<std::string>& args,
             std::span<const uint8_t> archive) {
  return Run(
      [archive](ArchiveError& error) {
        return TAttachedFiles::FromCompressed(archive.data(), archive.size(), error);
      },
      ShowCatalogueSummary);
}
