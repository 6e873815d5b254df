// The destination page's free functions: the normalisation of the typed
// folder, the first showing of both lists and the drive watch that follows
// drives appearing and going away.
#include "wizard/DestDirPage.h"

#include "instutils/Paths.h"
#include "instutils/TextUtils.h"
#include "platform/Constants.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kProductFolder = "Brevanto";
constexpr int kFirstListedDrive = 2; // c:
constexpr int kLastDrive = 25;       // z:

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// "X:" at the start, or "\\server\share" with both names present.
bool HasDrivePart(const std::string& s) {
  if (s.size() >= 2 && IsAsciiLetter(s[0]) && s[1] == ':')
    return true;
  if (s.size() < 3 || s[0] != '\\' || s[1] != '\\' || s[2] == '\\')
    return false;
  const size_t afterServer = s.find('\\', 2);
  return afterServer != std::string::npos && afterServer + 1 < s.size() &&
         s[afterServer + 1] != '\\';
}

// "\\server\share" alone: the share's root, where the product folder goes as
// it goes on a drive root.
bool IsShareRoot(const std::string& s) {
  return HasDrivePart(s) && s[0] == '\\' && s.find('\\', s.find('\\', 2) + 1) == std::string::npos;
}

std::string ProgramFilesFolder() {
  std::string folder = GetSpecialFolder(csidl::kProgramFiles);
  if (folder.size() > 3 && folder.back() == '\\')
    folder.pop_back();
  return folder;
}

// The program-files drive in lower case; c when the folder is unknown.
char ProgramFilesDrive() {
  const std::string folder = ProgramFilesFolder();
  return !folder.empty() && IsAsciiLetter(folder[0]) ? AsciiLower(folder[0]) : 'c';
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

uint32_t DriveBit(int bit) {
  return uint32_t(1) << bit;
}

// The first drive c: to z: present in mask, absent from old and listed in
// the drive box; 0 when none.
char FirstNewListedDrive(const TDriveComboBox& drives, uint32_t mask, uint32_t old) {
  for (int bit = kFirstListedDrive; bit <= kLastDrive; ++bit) {
    const char letter = char('a' + bit);
    if ((mask & DriveBit(bit)) && !(old & DriveBit(bit)) && drives.RowOf(letter) >= 0)
      return letter;
  }
  return 0;
}

} // namespace

// A text without a drive loses what was typed: only the drive box's drive
// is kept. When the drive box has none yet (a network folder was proposed)
// the program-files drive stands in for it. "D:Outils" would name a folder
// relative to the current folder of drive D:, which changes from run to run
// and means nothing in the registry or a shortcut: it becomes "D:\Outils".
// "D:/Outils" is absolute already (Windows takes "/" for "\") and stays.
std::string NormalizeDestDir(const std::string& text, char drive) {
  std::string s = Trimmed(text);
  if (!HasDrivePart(s))
    s = std::string(1, IsAsciiLetter(drive) ? drive : ProgramFilesDrive()) + ":";
  if (s[1] == ':' && s.size() > 2 && s[2] != '\\' && s[2] != '/')
    s.insert(2, 1, '\\');
  if (s.back() == '\\')
    s.pop_back();
  const std::string programFiles = ProgramFilesFolder();
  const bool lastComponentEmpty = ExtractFolder(s).size() == s.size() || IsShareRoot(s);
  if (lastComponentEmpty || (!programFiles.empty() && SameTextNoCase(s, programFiles)))
    s = JoinPath(s, kProductFolder);
  return s;
}

void CreateDestDirWindows(TDriveComboBox& drives, TDirectoryListBox& folders) {
  drives.BuildList();
  drives.SetDrive(drives.Drive());
  folders.BuildList();
}

// The masks are compared as signed 32-bit numbers: a smaller mask means a
// drive went away. A drive that appears but has
// no row (a CD-ROM, a: or b:) is not chosen: the selection is kept instead
// of leaving the box empty or proposing a read-only drive.
void DriveWatchTick(TDriveComboBox& drives) {
  const uint32_t mask = platform::Current().volumes->LogicalDrives();
  const uint32_t old = drives.DriveMask();
  if (mask == old)
    return;
  const std::string saved = drives.Text();
  const char selected = drives.Drive();
  drives.BuildList();
  if (int32_t(mask) < int32_t(old)) {
    const bool selectedPresent =
        selected >= 'a' && selected <= 'z' && (mask & DriveBit(selected - 'a'));
    if (selectedPresent)
      drives.SelectText(saved);
    else
      drives.SetDrive(ProgramFilesDrive());
    return;
  }
  if (const char letter = FirstNewListedDrive(drives, mask, old))
    drives.SetDrive(letter);
  else
    drives.SelectText(saved);
}
