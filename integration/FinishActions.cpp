// The common data file, the association command, the shortcuts, the update
// log and the launch of the word processor.
#include "integration/FinishActions.h"

#include "engine/MessageKinds.h"
#include "engine/ThreadMessageDlg.h"
#include "instutils/InstUtils.h"
#include "integration/Associations.h"
#include "integration/DataFolders.h"
#include "integration/LittleEndian.h"
#include "integration/UpdateLog.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kShortcutName = "Traitement de texte Brevanto.lnk";
constexpr const char* kShortcutDescription =
    "Traitement de texte compact, rapide, puissant, et par dessus tout pratique.";

// Shown when an elevated setup could start the word processor neither as the
// signed-in user nor with a standard user's rights: it is not started with
// the setup's own.
constexpr const char* kNotLaunchedText =
    "Le traitement de texte Brevanto n'a pas été lancé : ce programme d'installation "
    "dispose des droits d'administrateur, que le traitement de texte ne doit pas recevoir.\r"
    "Lancez-le depuis son raccourci du menu Démarrer.";

struct ShortcutPlace {
  int allUsers;
  int currentUser;
};

constexpr ShortcutPlace kShortcutPlaces[2] = {
    {csidl::kCommonPrograms, csidl::kPrograms},
    {csidl::kCommonDesktopDirectory, csidl::kDesktopDirectory},
};

void Exec(const std::string& commandLine) {
  platform::Current().processes->Exec(commandLine, show::kShow);
}

// One shortcut in the chosen scope's folder, after removing the one an
// installation with the other scope left. With no folder known at all,
// there is nowhere to put it.
void MakeShortcut(const TSetupState& state, const ShortcutPlace& place) {
  std::string target =
      GetSpecialFolder(state.InstallToAllChkBx ? place.allUsers : place.currentUser);
  const std::string other =
      GetSpecialFolder(state.InstallToAllChkBx ? place.currentUser : place.allUsers);
  if (target.empty())
    target = other;
  if (!other.empty())
    platform::Fs().RemoveFile(JoinPath(other, kShortcutName));
  if (target.empty())
    return;
  CreateShortcut(JoinPath(target, kShortcutName), GetInstallFilePath(state, "kre.exe"),
                 state.Options.InstallDir, kShortcutDescription);
}

} // namespace

std::string CommonDataRecord(double now) {
  std::string record;
  AppendLittleEndian(record, 1, 4);
  AppendLittleEndian(record, 8, 4);
  record += DateTimeBytes(now);
  AppendLittleEndian(record, 2, 4);
  AppendLittleEndian(record, 1, 4);
  record += '1';
  return record;
}

void FinishActions(TSetupState& state) {
  WriteStringToFile(GetDataFolder(state, dfCommon) + "kre_common.dat",
                    CommonDataRecord(NowDateTime()));
  if (IsPortableInstall(state))
    return;
  SetExtensionsFromAssocBoxes(state);
  Exec(AssociationCommandLine(state));
  for (const ShortcutPlace& place : kShortcutPlaces)
    MakeShortcut(state, place);
}

bool FinishClick(TSetupState& state, TAttachedFiles& files, TUpdateLogFailure* failure) {
  if (!IsPortableInstall(state) && !WriteUpdateLog(state, files.UpdateList(), failure))
    return false;
  if (state.FinishChkBx && !platform::Current().processes->Launch(
                               GetInstallFilePath(state, "kre.exe"), LaunchCommandLine(state),
                               state.Options.InstallDir, show::kShow))
    ThreadMessageDlg(kNotLaunchedText, mkInformation, mbOK);
  return true;
}
