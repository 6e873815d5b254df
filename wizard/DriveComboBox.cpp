// The drive box of the destination page: one row per drive c: to z: that is
// not a CD-ROM, named by its label or, for a network drive, by what it is
// connected to; choosing a drive moves the linked folder list there.
#include "wizard/DestDirPage.h"

#include "instutils/DiskQueries.h"
#include "instutils/TextUtils.h"
#include "platform/Constants.h"
#include "platform/Platform.h"

namespace {

constexpr int kFirstListedDrive = 2; // c:; a: and b: are never listed
constexpr int kLastDrive = 25;       // z:
constexpr int kPictureLeft = 2;

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// "[label]", or "" when the volume has no label or cannot be queried.
std::string LabelName(const std::string& root) {
  const auto label = platform::Current().volumes->VolumeLabel(root);
  return label && !label->empty() ? "[" + *label + "]" : "";
}

std::string DriveName(char letter, const std::string& root) {
  platform::Volumes& volumes = *platform::Current().volumes;
  if (volumes.DriveType(root) == drive::kRemote) {
    if (auto remote = volumes.NetworkConnection(std::string(1, letter) + ":"))
      return *remote;
  }
  return LabelName(root);
}

} // namespace

TDriveComboBox::TDriveComboBox(ui::TView& view, ui::TControl control)
    : View_(view), Control_(control) {}

std::string TDriveComboBox::Text() const {
  return Selected_ >= 0 ? Rows_[size_t(Selected_)].Text : "";
}

void TDriveComboBox::BuildList() {
  platform::Volumes& volumes = *platform::Current().volumes;
  DriveMask_ = volumes.LogicalDrives();
  Rows_.clear();
  for (int bit = kFirstListedDrive; bit <= kLastDrive; ++bit) {
    if ((DriveMask_ & (uint32_t(1) << bit)) == 0)
      continue;
    const char letter = char('a' + bit);
    const std::string root = std::string(1, letter) + ":\\";
    if (volumes.DriveType(root) == drive::kCdRom)
      continue;
    const auto picture =
        IsRemovableDrive(root) ? ui::TPicture::RemovableDrive : ui::TPicture::FixedDrive;
    const std::string text = std::string(1, letter) + ": " + LowerCase(DriveName(letter, root));
    Rows_.push_back({text, picture, kPictureLeft});
  }
  Selected_ = -1;
  View_.SetRows(Control_, Rows_);
  View_.SetSelectedRow(Control_, Selected_);
}

void TDriveComboBox::Select(int row) {
  Selected_ = row >= 0 && row < int(Rows_.size()) ? row : -1;
  View_.SetSelectedRow(Control_, Selected_);
}

int TDriveComboBox::RowOf(char letter) const {
  for (size_t i = 0; i < Rows_.size(); ++i) {
    const std::string& text = Rows_[i].Text;
    if (text.size() >= 2 && AsciiLower(text[0]) == AsciiLower(letter) && text[1] == ':')
      return int(i);
  }
  return -1;
}

void TDriveComboBox::SetDrive(char letter) {
  if (Selected_ >= 0 && AsciiLower(letter) == Drive_)
    return;
  Drive_ = AsciiLower(letter);
  Select(RowOf(Drive_));
  if (DirList_)
    DirList_->SetDrive(Drive_);
  if (OnChange)
    OnChange();
}

void TDriveComboBox::RowChosen(int row) {
  if (row < 0 || row >= int(Rows_.size()) || Rows_[size_t(row)].Text.empty())
    return;
  SetDrive(Rows_[size_t(row)].Text[0]);
}

void TDriveComboBox::SelectText(const std::string& text) {
  for (size_t i = 0; i < Rows_.size(); ++i) {
    if (SameTextNoCase(Rows_[i].Text, text)) {
      Select(int(i));
      return;
    }
  }
  Select(-1);
}
