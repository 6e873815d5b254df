// PrepareInstall: the plan of the selected components, the clean-up of old
// insert-collection images and the install stamp.
#include "integration/InstallPlan.h"

#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/LittleEndian.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kInsertsFolder = "Collections d'inserts\\";

bool Selected(const TSetupState& state, int comp) {
  return (state.SelectedComps >> comp) & 1;
}

// The speller files go into the spelling folder, asked for (and made) once
// per speller: asking for every file made each one cost three folder checks.
void QueueFrenchSpeller(TSetupState& state, TAttachedFiles& files) {
  const std::string folder = GetDataFolder(state, dfSpelling);
  files.AddFileToInstall("French.asc", folder, 1, omKeepExisting);
  files.AddFileToInstall("français.zlx", folder, 1, omReplaceIfDateDiffers);
  files.AddFileToInstall("persodicfr.tlx", folder, 1, omKeepExisting);
}

// The British cache is the American one installed a second time under its own name.
void QueueBritishCache(const std::string& folder, TAttachedFiles& files) {
  DestIsFileName = true;
  files.AddFileToInstall("English (American).cache", folder + "English (British).cache", 2,
                         omKeepExisting);
  DestIsFileName = false;
}

void QueueEnglishSpeller(TSetupState& state, TAttachedFiles& files) {
  const std::string folder = GetDataFolder(state, dfSpelling);
  files.AddFileToInstall("English (American).asc", folder, 2, omKeepExisting);
  files.AddFileToInstall("English (American).cache", folder, 2, omKeepExisting);
  files.AddFileToInstall("English (British).asc", folder, 2, omKeepExisting);
  QueueBritishCache(folder, files);
  files.AddFileToInstall("english.zlx", folder, 2, omReplaceIfDateDiffers);
  files.AddFileToInstall("us.zlx", folder, 2, omReplaceIfDateDiffers);
  files.AddFileToInstall("uk.zlx", folder, 2, omReplaceIfDateDiffers);
  files.AddFileToInstall("userdicen.tlx", folder, 2, omKeepExisting);
}

// The base of the old images; empty when the documents folder is unknown.
std::string OldImagesBase(const TSetupState& state) {
  if (IsPortableInstall(state))
    return state.Options.InstallDir;
  const std::string documents = GetSpecialFolder(csidl::kPersonal);
  if (documents.empty())
    return std::string();
  return JoinPath(documents, "Brevanto");
}

void QueuePublicGroups(TSetupState& state, TAttachedFiles& files) {
  if (Selected(state, 4))
    files.AddFileToInstall("Modèles de document\\", GetDataFolder(state, dfPublic), 4,
                           omKeepExisting);
  if (!Selected(state, 5) && state.LastRunVer >= kForceInsertsBelow)
    return;
  files.AddFileToInstall(kInsertsFolder, GetDataFolder(state, dfPublic), 5, omKeepExisting);
  const std::string base = OldImagesBase(state);
  if (state.LastRunVer < kRemoveOldImagesBelow && !base.empty())
    RemoveObsoleteImages(base);
}

void WriteInstallStamp(TSetupState& state) {
  state.InstallTime = NowDateTime();
  WriteStringToFile(GetDataFolder(state, dfHidden) + "install_stamp",
                    DateTimeBytes(state.InstallTime));
}

} // namespace

void PrepareInstall(TSetupState& state, TAttachedFiles& files) {
  // Every data folder and every planned entry asks for the common data
  // folder again; the system is asked once per plan.
  const TSpecialFolderMemo specialFolders;
  for (int i = 0; i < kComponentCount; ++i)
    files.ClearFilesToInstall(i);
  const bool portable = IsPortableInstall(state);
  files.ForceOverwrite = !portable;
  const std::string& dir = state.Options.InstallDir;
  files.AddFileToInstall("kre.exe", dir, 0, omReplaceIfDateDiffers);
  files.AddFileToInstall("Licence.txt", dir, 0, omReplaceIfDateDiffers);
  SuspendLogging();
  if (Selected(state, 1))
    QueueFrenchSpeller(state, files);
  if (Selected(state, 2))
    QueueEnglishSpeller(state, files);
  ResumeLogging();
  if (Selected(state, 3))
    files.AddFileToInstall("Coupe de mots.dat", dir, 3, omReplaceIfDateDiffers);
  SuspendLogging();
  QueuePublicGroups(state, files);
  ResumeLogging();
  if (Selected(state, 6))
    files.AddFileToInstall("Basic.asn", GetDataFolder(state, dfPublic), 6, omReplaceIfDateDiffers);
  if (!portable)
    WriteInstallStamp(state);
}

void RemoveObsoleteImages(const std::string& base) {
  std::string images = base;
  AddTrailingBackslash(images);
  images += kInsertsFolder;
  images += "Images\\";
  DeleteDirTree(images + "Coches");
  const std::string bullets = images + "Puces\\";
  for (int n = 1; n <= 32; ++n)
    platform::Fs().RemoveFile(bullets + "Puce " + std::to_string(n) + ".gif");
  platform::Fs().RemoveFile(bullets + "Cible.gif");
}
