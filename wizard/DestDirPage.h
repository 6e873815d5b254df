// The destination page's logic: the folder list, the drive box linked to it,
// the normalisation of the typed folder and the drive watch of timer 2. The
// lists keep their rows here and hand them to the view to show.
#pragma once

#include "platform/ui/View.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TDriveComboBox;

// The folder list: the drive root, each folder down to Directory (open
// folders), then Directory's sub-folders (closed folders).
class TDirectoryListBox {
public:
  TDirectoryListBox(ui::TView& view, ui::TControl control);

  // The folder shown; "\0" (one character 0) before the first SetDirectory.
  const std::string& Directory() const { return Directory_; }
  // Shows value, or its nearest existing ancestor; tells the linked drive
  // box when the drive changes; rebuilds the rows and raises OnChange. A
  // value without a drive letter (a network path) is not shown: the list
  // keeps what it shows.
  void SetDirectory(const std::string& value);
  // Moves to a folder of another drive (the program-files folder's product
  // folder, the same path there, or the root).
  void SetDrive(char letter);
  // Rebuilds the rows from Directory, selects Directory's row, shows them.
  void BuildList();
  // A row chosen by the user: SetDirectory with its path.
  void RowChosen(int row);
  void SetDriveBox(TDriveComboBox* box) { DriveBox_ = box; }

  // The full path of each row, in row order.
  const std::vector<std::string>& RowPaths() const { return RowPaths_; }

  std::function<void()> OnChange;

private:
  // Directory's drive letter, or 0 when Directory has none.
  char DirectoryLetter() const;
  bool SameDirectory(const std::string& value) const;
  void ReadCaseRules();
  std::string RowText(const std::string& text) const;
  void AddSubFolderRows(std::vector<ui::TListRow>& rows, int indent);

  ui::TView& View_;
  ui::TControl Control_;
  std::string Directory_ = std::string(1, '\0');
  TDriveComboBox* DriveBox_ = nullptr;
  bool InUpdate_ = false;
  bool CasePreserved_ = true;
  bool CaseSensitive_ = false;
  std::vector<std::string> RowPaths_;
};

// The drive box: one row per drive c: to z: that is not a CD-ROM.
class TDriveComboBox {
public:
  TDriveComboBox(ui::TView& view, ui::TControl control);

  // The selected drive letter, lower case; 0 before the first SetDrive.
  char Drive() const { return Drive_; }
  // GetLogicalDrives when the rows were last built.
  uint32_t DriveMask() const { return DriveMask_; }
  // The selected row's text; "" when no row is selected.
  std::string Text() const;
  const std::vector<ui::TListRow>& Rows() const { return Rows_; }
  // The first row for the drive letter (either case); -1 when it has none.
  int RowOf(char letter) const;

  // Selects the drive's row and moves the linked folder list there.
  void SetDrive(char letter);
  // Rebuilds the rows from the drives present; no row is left selected.
  void BuildList();
  // A row chosen by the user: SetDrive with its first character.
  void RowChosen(int row);
  // Selects the row whose text equals text without regard to case.
  void SelectText(const std::string& text);
  void SetDirList(TDirectoryListBox* list) { DirList_ = list; }

  // The drive box's own change notification, raised by SetDrive.
  std::function<void()> OnChange;

private:
  void Select(int row);

  ui::TView& View_;
  ui::TControl Control_;
  char Drive_ = 0;
  uint32_t DriveMask_ = 0;
  int Selected_ = -1;
  TDirectoryListBox* DirList_ = nullptr;
  std::vector<ui::TListRow> Rows_;
};

// When the windows of both lists exist: the drive box builds its rows and
// selects its drive again, the folder list builds its rows.
void CreateDestDirWindows(TDriveComboBox& drives, TDirectoryListBox& folders);

// The typed folder normalised: spaces trimmed, a drive part ensured (else
// drive + ":"), one trailing backslash dropped, and "Brevanto" joined to a
// drive root or to the program-files folder itself.
std::string NormalizeDestDir(const std::string& text, char drive);

// Timer 2: follows drives that appear or go away. Run CreateDestDirWindows
// first: before the drive box has built its rows every drive looks new.
void DriveWatchTick(TDriveComboBox& drives);
