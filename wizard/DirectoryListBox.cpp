// The folder list of the destination page: the way down from the drive root
// to the folder shown, then that folder's sub-folders, following the letter
// case rules of the folder's volume.
#include "wizard/DestDirPage.h"

#include "instutils/Paths.h"
#include "instutils/TextUtils.h"
#include "platform/Constants.h"
#include "platform/Platform.h"

#include <algorithm>

namespace {

constexpr int kIndentStep = 12;
constexpr int kOpenFolderIndent = 3;
constexpr int kSubFolderIndent = 15;

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDriveLetter(const std::string& path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

// The folders a path walks through after its "X:" or "X:\".
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 2;
  while (start < path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos)
      end = path.size();
    if (end > start)
      parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

int BackslashesWithoutTrailing(std::string path) {
  if (!path.empty() && path.back() == '\\')
    path.pop_back();
  return int(std::count(path.begin(), path.end(), '\\'));
}

bool IsListedFolder(const platform::DirEntry& entry) {
  if (!entry.IsFolder() || entry.name == "." || entry.name == "..")
    return false;
  return (entry.attributes & (attr::kHidden | attr::kSystem)) == 0;
}

} // namespace

TDirectoryListBox::TDirectoryListBox(ui::TView& view, ui::TControl control)
    : View_(view), Control_(control) {}

char TDirectoryListBox::DirectoryLetter() const {
  return HasDriveLetter(Directory_) ? Directory_[0] : 0;
}

bool TDirectoryListBox::SameDirectory(const std::string& value) const {
  if (CaseSensitive_)
    return value == Directory_;
  return LowerCase(value) == LowerCase(Directory_);
}

// A path without a drive letter (a network path, or text without a drive)
// cannot be shown by the list: it keeps what it shows until a drive is
// chosen.
void TDirectoryListBox::SetDirectory(const std::string& value) {
  if (value.empty() || !HasDriveLetter(value) || SameDirectory(value))
    return;
  std::string folder = value;
  while (!DirExists(folder)) {
    if (folder.size() <= DrivePart(folder).size() + 1)
      break;
    if (folder.back() == '\\')
      folder.pop_back();
    folder = ExtractFolder(folder);
  }
  const bool driveChanged = AsciiUpper(folder[0]) != AsciiUpper(DirectoryLetter());
  Directory_ = folder;
  if (driveChanged) {
    InUpdate_ = true;
    if (DriveBox_)
      DriveBox_->SetDrive(Directory_[0]);
    else
      SetDrive(Directory_[0]);
    InUpdate_ = false;
  }
  BuildList();
  if (OnChange)
    OnChange();
}

void TDirectoryListBox::SetDrive(char letter) {
  if (static_cast<uint8_t>(letter) <= ' ' || AsciiUpper(letter) == AsciiUpper(DirectoryLetter()))
    return;
  const std::string programFiles = GetSpecialFolder(csidl::kProgramFiles);
  const size_t colon = Directory_.find(':');
  if (!programFiles.empty() && AsciiUpper(letter) == AsciiUpper(programFiles[0])) {
    const std::string productFolder = JoinPath(programFiles, "Brevanto");
    Directory_ = productFolder;
    if (!DirExists(productFolder)) {
      Directory_ = programFiles;
      AddTrailingBackslash(Directory_);
    }
  } else if (colon != std::string::npos && DirExists(letter + Directory_.substr(colon))) {
    Directory_ = letter + Directory_.substr(colon);
  } else {
    Directory_ = std::string(1, letter) + ":\\";
  }
  if (InUpdate_)
    return;
  BuildList();
  if (OnChange)
    OnChange();
}

void TDirectoryListBox::ReadCaseRules() {
  const std::string root = std::string(1, DirectoryLetter()) + ":\\";
  const auto rules = platform::Current().volumes->CaseRules(root);
  CasePreserved_ = rules && rules->preserved;
  CaseSensitive_ = rules && rules->sensitive;
}

// A volume that neither keeps nor distinguishes case shows its names in
// lower case, whatever case they were typed or stored in.
std::string TDirectoryListBox::RowText(const std::string& text) const {
  return CasePreserved_ || CaseSensitive_ ? text : LowerCase(text);
}

void TDirectoryListBox::AddSubFolderRows(std::vector<ui::TListRow>& rows, int indent) {
  std::string folder = Directory_;
  AddTrailingBackslash(folder);
  std::vector<platform::DirEntry> entries;
  if (!platform::Fs().List(folder, entries))
    return;
  std::vector<std::string> names;
  for (const auto& entry : entries) {
    if (IsListedFolder(entry))
      names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string ua = UpperCase(a), ub = UpperCase(b);
    return ua != ub ? ua < ub : a < b;
  });
  for (const auto& name : names) {
    rows.push_back({RowText(name), ui::TPicture::ClosedFolder, indent});
    RowPaths_.push_back(folder + name);
  }
}

void TDirectoryListBox::BuildList() {
  RowPaths_.clear();
  std::vector<ui::TListRow> rows;
  int selected = -1;
  if (DirectoryLetter()) {
    ReadCaseRules();
    std::string path = Directory_.substr(0, 2) + "\\";
    rows.push_back({RowText(Directory_.substr(0, 2)), ui::TPicture::OpenFolder, kOpenFolderIndent});
    RowPaths_.push_back(path);
    for (const auto& name : Components(Directory_)) {
      path = JoinPath(path, name);
      const int indent = int(rows.size()) * kIndentStep + kOpenFolderIndent;
      rows.push_back({RowText(name), ui::TPicture::OpenFolder, indent});
      RowPaths_.push_back(path);
    }
    selected = int(rows.size()) - 1;
    AddSubFolderRows(rows, BackslashesWithoutTrailing(Directory_) * kIndentStep + kSubFolderIndent);
  }
  View_.SetRows(Control_, rows);
  View_.SetSelectedRow(Control_, selected);
}

void TDirectoryListBox::RowChosen(int row) {
  if (row < 0 || row >= int(RowPaths_.size()))
    return;
  const std::string path = RowPaths_[size_t(row)];
  SetDirectory(path);
}
