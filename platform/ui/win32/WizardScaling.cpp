// The wizard window at a DPI: its fonts, the places of its controls, the
// heights of its list rows, its caption icons and its size, all from the
// 96-DPI layout; laid out again whole when the DPI changes.
#include "platform/ui/win32/WizardWindow.h"

#include "platform/ui/win32/ClientSize.h"
#include "platform/ui/win32/Fonts.h"
#include "platform/ui/win32/Layout.h"

#include <algorithm>

namespace ui::win32 {

void TWizardWindow::CreateFonts() {
  const HFONT old[] = {font_, titleFont_, boldFont_};
  font_ = ScaledFont(kDialogFont, dpi_);
  titleFont_ = ScaledFont(kTitleFont, dpi_);
  boldFont_ = ScaledFont(kBoldFont, dpi_);
  for (const TControlLayout& layout : ControlLayouts()) {
    const HWND control = Control(layout.Control);
    if (!control)
      continue;
    HFONT font = layout.Control == TControl::TopLbl           ? titleFont_
                 : layout.Control == TControl::InstallingLbl2 ? boldFont_
                                                              : font_;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  for (HFONT font : old)
    if (font)
      DeleteObject(font);
}

void TWizardWindow::PlaceControls() {
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  const RECT area = Scale(kPageAreaRect, dpi_);
  SetWindowPos(pageArea_->Handle(), nullptr, area.left, area.top, area.right - area.left,
               area.bottom - area.top, kFlags);
  pageArea_->SetDpi(dpi_);
  const int inset = S(kSheetInset);
  for (const auto& sheet : sheets_) {
    SetWindowPos(sheet->Handle(), nullptr, inset, inset, area.right - area.left - 2 * inset,
                 area.bottom - area.top - 2 * inset, kFlags);
    sheet->SetDpi(dpi_);
  }
  for (const TControlLayout& layout : ControlLayouts())
    SetWindowPos(Control(layout.Control), nullptr, S(layout.X), S(layout.Y), S(layout.Width),
                 S(layout.Height), kFlags);
}

UINT TWizardWindow::RowHeight(TControl list) const {
  const int textHeight = TextHeight(font_);
  switch (list) {
  case TControl::DestDirLstBx:
    return static_cast<UINT>(std::max(S(kFolderRowHeight), textHeight + 2));
  case TControl::DestDirCmbBx:
    return static_cast<UINT>(std::max(pictures_->Size(), textHeight + 2));
  default:
    return static_cast<UINT>(std::max(S(kCheckBoxSize + 3), textHeight + 3));
  }
}

void TWizardWindow::SetCaptionIcons() {
  // The program's icon at the sizes of the window's DPI: the class's shared
  // icon keeps the size of the DPI the user signed in at.
  const struct {
    WPARAM Type;
    int Metric;
    HICON* Slot;
  } icons[] = {{ICON_SMALL, SM_CXSMICON, &smallIcon_}, {ICON_BIG, SM_CXICON, &bigIcon_}};
  for (const auto& icon : icons) {
    const int size = SystemMetricForDpi(icon.Metric, dpi_);
    const auto loaded = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
    if (!loaded)
      continue;
    SendMessageW(Handle(), WM_SETICON, icon.Type, reinterpret_cast<LPARAM>(loaded));
    if (*icon.Slot)
      DestroyIcon(*icon.Slot);
    *icon.Slot = loaded;
  }
}

void TWizardWindow::ApplyDpi(int dpi, const RECT* suggested) {
  dpi_ = dpi;
  CreateFonts();
  pictures_ = std::make_unique<TRowPictures>(dpi_);
  PlaceControls();
  for (TControl list : {TControl::DestDirLstBx, TControl::SelCompLstBx})
    SendMessageA(Control(list), LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(RowHeight(list)));
  const HWND driveBox = Control(TControl::DestDirCmbBx);
  SendMessageA(driveBox, CB_SETITEMHEIGHT, 0,
               static_cast<LPARAM>(RowHeight(TControl::DestDirCmbBx)));
  SendMessageA(driveBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
               static_cast<LPARAM>(RowHeight(TControl::DestDirCmbBx)));
  ShowLogo(TControl::LogoSmallImage);
  ShowLogo(TControl::LogoImage);
  SetCaptionIcons();
  SetClientSize(Handle(), {S(kClientWidth), S(kClientHeight)}, dpi_, suggested);
  // Every control takes its new font and place on screen: the panels clip
  // their children, so each window is invalidated, not the top one alone.
  RedrawWindow(Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace ui::win32
