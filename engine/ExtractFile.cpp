// Writing one archive entry to disk, with its date, and asking the user what
// to do when the file cannot be created.
#include "engine/AttachFiles.h"

#include "engine/FileErrorText.h"
#include "engine/MessageKinds.h"
#include "engine/ThreadMessageDlg.h"
#include "instutils/DateTime.h"
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/Threads.h"

namespace {

// On Windows a virus scanner or the indexer often holds a file that was just
// written for a moment: a sharing or access violation is tried again four
// times, a quarter of a second apart, before the user is asked.
constexpr int kHeldRetries = 4;
constexpr uint32_t kHeldRetryDelayMs = 250;

bool MayBeHeldForAMoment(platform::IoStatus status) {
  return status == platform::IoStatus::SharingViolation ||
         status == platform::IoStatus::AccessDenied;
}

} // namespace

platform::MessageText CannotCreateText(const std::string& destFile) {
  return platform::MessageText("Impossible de créer le fichier \"")
      .System(destFile)
      .Program(
          "\".\rCe fichier est peut-être actuellement utilisé par une autre application.\r\r"
          "Veuillez vous assurer que le processus d'installation du traitement de texte Brevanto "
          "n'est pas bloqué par votre logiciel de sécurité (pare-feu ou antivirus).\r"
          "Essayez de désactiver votre logiciel de sécurité et relancez l'installation "
          "d'Brevanto.");
}

namespace {

// The entry's date as a file time; false when a DOS date cannot hold it (years
// outside 1980 to 2099) or the conversion fails: the file then keeps the time
// it was written.
bool EntryWriteTime(const TAttachedFile& entry, platform::FileTime& utc) {
  DosDateTime dos{};
  if (!DateTimeToDos(entry.Date, dos))
    return false;
  return platform::Current().clock->LocalDosToUtc(dos.date, dos.time, utc);
}

// One attempt. ReplaceFile replaces an existing file only once the new bytes
// are complete and removes a new file it could not finish, so a failed attempt
// leaves whatever was there untouched and no partial file behind. The folder
// is made only when the write finds it missing: most entries go into a folder
// an earlier one made, and asking first would cost every file a few more
// file-system calls.
bool WriteEntry(const uint8_t* image, const TAttachedFile& entry, const std::string& destFile) {
  platform::FileTime utc = 0;
  const bool dated = EntryWriteTime(entry, utc);
  const auto write = [&] {
    platform::IoStatus status = platform::Fs().ReplaceFile(
        destFile, image + entry.Offset, size_t(entry.Size), dated ? &utc : nullptr);
    for (int retry = 0; retry < kHeldRetries && MayBeHeldForAMoment(status); ++retry) {
      platform::SleepFor(kHeldRetryDelayMs);
      status = platform::Fs().ReplaceFile(destFile, image + entry.Offset, size_t(entry.Size),
                                          dated ? &utc : nullptr);
    }
    return status;
  };
  platform::IoStatus status = write();
  if (status == platform::IoStatus::NotFound) {
    const std::string folder = ExtractFolder(destFile);
    if (!folder.empty()) {
      ForceDir(folder);
      status = write();
    }
  }
  if (status != platform::IoStatus::Ok)
    return false;
  AddLogLine("File Copy: " + destFile);
  return true;
}

} // namespace

bool TAttachedFiles::ExtractFile(const TAttachedFile* entry, const std::string& name,
                                 const std::string& destFile) const {
  if (!entry)
    entry = FindFile(name);
  for (;;) {
    if (entry && WriteEntry(Data(), *entry, destFile))
      return true;
    const int answer =
        ThreadMessageDlg(CannotCreateText(destFile), mkError, mbAbort | mbRetry | mbIgnore);
    if (answer == dlg::kIgnore)
      return true;
    // No answer means the dialog could not be shown or the installation is
    // being stopped: the file is given up as with Abort, never counted as written.
    if (answer == dlg::kAbort || answer == kNoAnswer)
      return false;
  }
}
