// The component page: the rows given to the view, the toggling rule of the
// word processor's row, and the free-space test that enables Next.
#include "wizard/MainDlg.h"

#include "instutils/InstUtils.h"
#include "platform/Platform.h"
#include "wizard/ResConst.h"

using ui::TControl;

void TMainDlgForm::ShowComponentRows() {
  std::vector<ui::TCheckRow> rows;
  for (size_t row = 0; row < CompIndexList_.size(); ++row) {
    const int component = CompIndexList_[row];
    ui::TCheckRow shown;
    shown.Name = ComponentName(component);
    shown.SizeText = FormatSize(SizeOnDisk(State_.Options.InstallDir, CompSizes_[row]));
    shown.State = State_.CompStates[component];
    shown.GrayText = component == 0;
    rows.push_back(shown);
  }
  View_.SetCheckRows(TControl::SelCompLstBx, rows);
}

// After a toggle: the word processor's row goes back to grey and nothing
// else changes; any other row changes the required space.
void TMainDlgForm::SelCompLstBxClickCheck() {
  if (State_.CompStates[CompIndexList_[0]] != cbGrayed) {
    State_.CompStates[CompIndexList_[0]] = cbGrayed;
    ShowComponentRows();
    return;
  }
  ShowComponentRows();
  UpdateDiskSpace();
}

// The required space of the selected rows against the space free to the
// user on the install folder's drive. A drive that cannot be asked counts
// as full: 0 is shown and Next stays disabled.
void TMainDlgForm::UpdateDiskSpace() {
  int64_t required = 0;
  for (size_t row = 0; row < CompIndexList_.size(); ++row) {
    if (State_.CompStates[CompIndexList_[row]] != cbUnchecked)
      required += CompSizes_[row];
  }
  View_.SetText(TControl::SelCompDiskSpaceReqLbl2, FormatSize(required));
  std::string root = DrivePart(State_.Options.InstallDir);
  AddTrailingBackslash(root);
  int64_t free = -1;
  if (!root.empty())
    free = platform::Current().volumes->FreeBytes(root).value_or(-1);
  View_.SetText(TControl::SelCompDiskSpaceAvailLbl2, FormatSize(free < 0 ? 0 : free));
  View_.SetEnabled(TControl::NextBtn, free >= 0 && free >= required);
}
