// The wizard window's gallery: shows every page with the wizard's own texts
// and sample rows, then every message dialog the program shows, and stops at
// each one for a screenshot. For each picture it prints "SHOT name" and waits
// for a line on its standard input (run.sh takes the screenshot and answers).
// Before each picture it measures, in this process where the fonts are, the
// text of every label, check box and button on show, and of every component
// row, and prints "CLIPPED ..." for a text that does not fit. Its last line,
// once everything has been measured, is "MEASURED <pages> pages, <dialogs>
// dialogs, <rows> component rows, <n> clipped".
#include "engine/AttachFiles.h"
#include "engine/Components.h"
#include "engine/FileErrorText.h"
#include "engine/MessageKinds.h"
#include "engine/NameMatch.h"
#include "instutils/InstallLog.h"
#include "instutils/Paths.h"
#include "instutils/TextUtils.h"
#include "platform/ui/WizardView.h"
#include "platform/ui/win32/Dpi.h"
#include "platform/ui/win32/Layout.h"
#include "platform/ui/win32/MessageDialog.h"
#include "platform/ui/win32/WideText.h"
#include "platform/win32/WindowsSupport.h"
#include "tools/PayloadContent.h"
#include "wizard/DialogView.h"
#include "wizard/ResConst.h"

#include <cstdio>
#include <string>
#include <vector>

using ui::TControl;

namespace {

// With --measure the gallery only measures its texts and takes no picture.
bool measureOnly = false;
int clipped = 0;
int rowsMeasured = 0;

void WaitForShot(const std::string& name) {
  if (measureOnly)
    return;
  std::printf("SHOT %s\n", name.c_str());
  std::fflush(stdout);
  char line[64];
  if (!std::fgets(line, sizeof line, stdin))
    std::exit(1);
}

// The room a check box or radio button leaves its text: the box and the gap
// the button control draws before it.
int CheckRoom(HWND control) {
  return ui::win32::Scale(13 + 6, ui::win32::WindowDpi(control));
}

void ReportClipped(const std::string& where, const wchar_t* text, long needX, long needY,
                   long roomX, long roomY) {
  char utf8[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("CLIPPED %s: \"%s\" needs %ldx%ld, has %ldx%ld\n", where.c_str(), utf8, needX, needY,
              roomX, roomY);
  ++clipped;
}

// The size text drawn in the control's font, within width (0: on one line).
SIZE TextExtent(HWND control, const wchar_t* text, int width, UINT flags) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT need = {0, 0, width, 0};
  DrawTextW(dc, text, -1, &need, flags | DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {need.right, need.bottom};
}

// The flags a static or button draws its text with, and the room it leaves
// the text; false for a control that shows no text of its own.
bool TextRoom(HWND control, const std::wstring& cls, UINT& flags, int& room) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  RECT client;
  GetClientRect(control, &client);
  room = client.right;
  flags = 0;
  if (cls == L"Static") {
    const LONG kind = style & SS_TYPEMASK;
    if (kind != SS_LEFT && kind != SS_RIGHT && kind != SS_CENTER && kind != SS_LEFTNOWORDWRAP)
      return false;
    flags =
        (kind != SS_LEFTNOWORDWRAP ? DT_WORDBREAK : 0) | (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
    return true;
  }
  if (cls != L"Button")
    return false;
  const LONG kind = style & BS_TYPEMASK;
  if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
      kind == BS_AUTORADIOBUTTON)
    room -= CheckRoom(control);
  else if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON)
    return false;
  flags = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  return true;
}

// Prints "CLIPPED" for each visible text control of window whose text, drawn
// as the control draws it, needs more room than its client area (and for a
// window that is not there to be measured).
void ReportClippedTexts(HWND window, const std::string& where) {
  if (!window)
    return ReportClipped(where, L"(no window)", 0, 0, 0, 0);
  for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(window, child, nullptr, nullptr)) {
    ReportClippedTexts(child, where);
    wchar_t className[32] = {}, text[1024] = {};
    GetClassNameW(child, className, 32);
    UINT flags;
    int room;
    if (!IsWindowVisible(child) || GetWindowTextW(child, text, 1024) == 0 ||
        !TextRoom(child, className, flags, room))
      continue;
    RECT client;
    GetClientRect(child, &client);
    const SIZE need = TextExtent(child, text, room, flags);
    if (need.cx > room || need.cy > client.bottom)
      ReportClipped(where, text, need.cx, need.cy, room, client.bottom);
  }
}

// The first descendant of window (pages nest their controls) with that ID.
HWND Descendant(HWND window, int id) {
  for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(window, child, nullptr, nullptr)) {
    if (GetDlgCtrlID(child) == id)
      return child;
    if (HWND found = Descendant(child, id))
      return found;
  }
  return nullptr;
}

// The component rows: right of the check strip, the name and the size must
// both fit with at least a space between them, and the row must be as high
// as its text.
void ReportClippedRows(HWND list, const std::vector<ui::TCheckRow>& rows) {
  const int strip = ui::win32::Scale(ui::win32::kCheckStripWidth, ui::win32::WindowDpi(list));
  for (size_t i = 0; i < rows.size(); ++i) {
    RECT item{};
    if (SendMessageW(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
      std::printf("CLIPPED component row %zu: not in the list\n", i);
      ++clipped;
      continue;
    }
    const std::wstring text =
        ui::win32::WideOf(rows[i].Name) + L" " + ui::win32::WideOf(rows[i].SizeText);
    const SIZE need = TextExtent(list, text.c_str(), 0, DT_SINGLELINE | DT_NOPREFIX);
    const long roomX = item.right - item.left - strip, roomY = item.bottom - item.top;
    ++rowsMeasured;
    if (need.cx > roomX || need.cy > roomY)
      ReportClipped("component row " + std::to_string(i), text.c_str(), need.cx, need.cy, roomX,
                    roomY);
  }
}

// Where the wizard proposes to install, as a sample: the program-files
// folder and the product's folder, as the destination page shows them.
const std::string kSampleDir = "C:\\Program Files\\Brevanto";

// The component rows with sample sizes, the widest of them a three-digit
// number of megabytes.
std::vector<ui::TCheckRow> ComponentRows() {
  const int64_t sizes[kComponentCount] = {441400000, 1101000, 831000, 98000, 192000, 319000, 65000};
  std::vector<ui::TCheckRow> rows;
  for (int i = 0; i < kComponentCount; ++i)
    rows.push_back({ComponentName(i), FormatSize(sizes[i]), uint8_t(i == 0 ? 2 : 1), i == 0});
  return rows;
}

// The folder list: the sample path's folders open, the components' folders
// under it closed.
std::vector<ui::TListRow> FolderRows() {
  std::vector<ui::TListRow> rows = {{"c:", ui::TPicture::OpenFolder, 3},
                                    {"Program Files", ui::TPicture::OpenFolder, 15},
                                    {"Brevanto", ui::TPicture::OpenFolder, 27}};
  for (const TComponent& component : Components)
    for (std::string item : FileListItems(component.FileList))
      if (!item.empty() && item.back() == '\\') {
        item.pop_back();
        rows.push_back({item, ui::TPicture::ClosedFolder, 39});
      }
  return rows;
}

void FillTexts(ui::TView& view) {
  view.SetText(TControl::Form, SetupTitle);
  view.SetImage(TControl::LogoSmallImage, "LOGOSMALL");
  view.SetImage(TControl::LogoImage, "LOGO");
  view.SetText(TControl::WelcomeLbl, WelcomeText());
  view.SetText(TControl::LicenseLbl, res::LicenseLbl);
  view.SetLines(TControl::LicenseMemo, SplitLines(LicenceText()));
  view.SetText(TControl::LicenseChkBx, res::LicenseChkBx);
  view.SetChecked(TControl::LicenseChkBx, true);
  view.SetText(TControl::DestDirLbl, res::DestDirLbl);
  view.SetText(TControl::DestDirEdt, kSampleDir);
  view.SetRows(TControl::DestDirLstBx, FolderRows());
  view.SetSelectedRow(TControl::DestDirLstBx, 2);
  view.SetRows(TControl::DestDirCmbBx, {{"c: [SYSTEM]", ui::TPicture::FixedDrive},
                                        {"e: [USB DRIVE]", ui::TPicture::RemovableDrive}});
  view.SetSelectedRow(TControl::DestDirCmbBx, 0);
  view.SetText(TControl::SelCompLbl, res::SelCompLbl);
  view.SetCheckRows(TControl::SelCompLstBx, ComponentRows());
  view.SetCurrentRow(TControl::SelCompLstBx, 1);
  view.SetText(TControl::SelCompDiskSpaceReqLbl1, res::SelCompDiskSpaceReqLbl1);
  view.SetText(TControl::SelCompDiskSpaceReqLbl2, FormatSize(444006000));
  view.SetText(TControl::SelCompDiskSpaceAvailLbl1, res::SelCompDiskSpaceAvailLbl1);
  view.SetText(TControl::SelCompDiskSpaceAvailLbl2, FormatSize(13421772800));
  view.SetText(TControl::StartLbl, res::StartLbl);
  view.SetText(TControl::InstallToAllChkBx, res::InstallToAllChkBx);
  view.SetChecked(TControl::InstallToAllChkBx, true);
  view.SetText(TControl::InstallingLbl1, res::InstallingLbl1);
  view.SetText(TControl::InstallingLbl2, ComponentName(1));
  view.SetProgressRange(TControl::InstallingProgressBar, 1000);
  view.SetProgressPosition(TControl::InstallingProgressBar, 420);
  view.SetText(TControl::AssocLbl, res::AssocLbl);
  const TControl boxes[4] = {TControl::AssocChkBx1, TControl::AssocChkBx2, TControl::AssocChkBx3,
                             TControl::AssocChkBx4};
  for (int i = 0; i < 4; ++i)
    view.SetText(boxes[i], res::AssocChkBx[i]);
  view.SetChecked(TControl::AssocChkBx2, true);
  view.SetText(TControl::FinishLbl, FinishText());
  view.SetText(TControl::FinishChkBx, res::FinishChkBx);
  view.SetChecked(TControl::FinishChkBx, true);
  view.SetText(TControl::BackBtn, res::BackBtn);
  view.SetText(TControl::CancelBtn, res::CancelBtn);
}

// The control each page focuses when it shows; Count: none.
const TControl kPageFocus[ui::win32::kPageCount] = {
    TControl::Count,   TControl::LicenseMemo, TControl::DestDirEdt,  TControl::SelCompLstBx,
    TControl::NextBtn, TControl::Count,       TControl::AssocChkBx1, TControl::Count};

void ShowPage(ui::TView& view, int page) {
  const int last = ui::win32::kPageCount - 1, installing = 5;
  view.SetVisible(TControl::BackBtn, page != 0);
  view.SetEnabled(TControl::BackBtn, page < installing);
  view.SetEnabled(TControl::NextBtn, page != installing);
  view.SetText(TControl::NextBtn, page == last ? res::FinishBtn : res::NextBtn);
  view.SetEnabled(TControl::CancelBtn, page != last);
  view.SetText(TControl::TopLbl, PageTitle(page));
  view.ShowPage(page);
  if (kPageFocus[page] != TControl::Count)
    view.SetFocus(kPageFocus[page]);
}

// Every message dialog the program shows, as it shows them.
std::vector<ui::TDialogSpec> Dialogs() {
  const std::string file = JoinPath(kSampleDir, FileListItems(Components[0].FileList)[0]);
  return {
      MessageDialogSpec(res::RunningCopyMessage, mkInformation, mbOK),
      MessageDialogSpec(res::LicenceRefusedQuestion, mkInformation, mbYes | mbNo),
      MessageDialogSpec(res::CancelQuestion, mkConfirmation, mbNo | mbAbort),
      MessageDialogSpec(CannotCreateText(file), mkError, mbAbort | mbRetry | mbIgnore),
      MessageDialogSpec(res::UpdateLogErrorMessage(file, false, res::ReasonSharingViolation),
                        mkError, mbOK),
  };
}

// Walks the pages and dialogs on the ticks of timer 1: a step shows
// something, the next tick (once it has been painted) measures it and takes
// its picture.
class TGallery : public ui::TViewEvents {
public:
  explicit TGallery(ui::TView& view) : view_(view), dialogs_(Dialogs()) {}

  // Every page and dialog was shown and measured.
  bool Finished() const { return finished_; }
  int DialogCount() const { return static_cast<int>(dialogs_.size()); }

  void TimerFired(int id) override {
    if (id != 1)
      return;
    if (dialogUp_) {
      const HWND dialog = FindWindowA(ui::win32::kMessageDialogClass, nullptr);
      const std::string name = "dialog" + std::to_string(dialog_);
      ReportClippedTexts(dialog, name);
      WaitForShot(name);
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      dialogUp_ = false;
      return;
    }
    if (page_ < ui::win32::kPageCount) {
      ShowOrMeasurePage();
      return;
    }
    if (dialog_ < DialogCount()) {
      dialogUp_ = true;
      ++dialog_;
      view_.ShowDialog(dialogs_[dialog_ - 1]);
      return;
    }
    finished_ = closed_ = true;
  }
  void ButtonClicked(TControl) override {}
  void CheckRowToggled(TControl, int) override {}
  void ListRowChosen(TControl, int) override {}
  void ApplicationActivated(bool) override {}
  void CloseRequested() override { closed_ = true; }
  bool Closed() const override { return closed_; }

private:
  void ShowOrMeasurePage() {
    if (!shown_) {
      ShowPage(view_, page_);
      shown_ = true;
      return;
    }
    const HWND wizard = FindWindowA("TMainDlgForm", nullptr);
    const std::string name = "page" + std::to_string(page_);
    ReportClippedTexts(wizard, name);
    if (HWND list = Descendant(wizard, ui::win32::ControlId(TControl::SelCompLstBx));
        list && IsWindowVisible(list))
      ReportClippedRows(list, ComponentRows());
    WaitForShot(name);
    ++page_;
    shown_ = false;
  }

  ui::TView& view_;
  std::vector<ui::TDialogSpec> dialogs_;
  int page_ = 0;
  int dialog_ = 0;
  bool shown_ = false;
  bool dialogUp_ = false;
  bool closed_ = false;
  bool finished_ = false;
};

} // namespace

int main(int argc, char** argv) {
  measureOnly = argc > 1 && std::string(argv[1]) == "--measure";
  const auto view = ui::CreateWizardView();
  if (!view) {
    std::printf("no window\n");
    return 1;
  }
  FillTexts(*view);
  TGallery gallery(*view);
  view->StartTimer(1, measureOnly ? 50 : 400);
  view->RunModal(gallery);
  if (!gallery.Finished())
    return 1;
  std::printf("MEASURED %d pages, %d dialogs, %d component rows, %d clipped\n",
              ui::win32::kPageCount, gallery.DialogCount(), rowsMeasured, clipped);
  return 0;
}
