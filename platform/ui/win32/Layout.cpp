// The wizard window's control table.
#include "platform/ui/win32/Layout.h"

namespace ui::win32 {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
// Labels word-wrap and, like every label of the window, show "&" as an
// accelerator (the wizard escapes the texts that must show one).
constexpr DWORD kLabel = kChild | SS_LEFT;
constexpr DWORD kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kOwnerList = kChild | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY |
                             LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
// The disk-space panel of the components page, whose labels sit inside it.
constexpr int kPanelX = 11, kPanelY = 200;

using enum TControl;
constexpr TControlLayout kControls[] = {
    // The page sheets' contents come first, so that Tab walks the page, then the buttons.
    {WelcomeLbl, 0, "Static", kLabel, 12, 27, 349, 115},

    {LicenseLbl, 1, "Static", kLabel, 12, 7, 345, 15},
    {LicenseMemo, 1, "Edit", kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 12, 25,
     345, 207},
    {LicenseChkBx, 1, "Button", kCheck, 12, 237, 345, 17},

    {DestDirLbl, 2, "Static", kLabel, 11, 7, 345, 30},
    {DestDirEdt, 2, "Edit", kChild | WS_TABSTOP | ES_AUTOHSCROLL, 11, 43, 345, 21},
    {DestDirLstBx, 2, "ListBox", kOwnerList, 11, 65, 345, 157},
    {DestDirCmbBx, 2, "ComboBox",
     kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 11,
     225, 345, 200},

    // Its text takes three lines of the dialog font: three pixels higher and
    // 39 high, it ends where the list begins instead of losing its last line.
    {SelCompLbl, 3, "Static", kLabel, 11, 4, 345, 39},
    {SelCompLstBx, 3, "ListBox", kOwnerList, 11, 43, 345, 148},
    {SelCompDiskSpaceReqLbl1, 3, "Static", kLabel, kPanelX + 8, kPanelY + 8, 170, 14},
    {SelCompDiskSpaceReqLbl2, 3, "Static", kChild | SS_RIGHT, kPanelX + 185, kPanelY + 8, 150, 14},
    {SelCompDiskSpaceAvailLbl1, 3, "Static", kLabel, kPanelX + 8, kPanelY + 25, 170, 14},
    {SelCompDiskSpaceAvailLbl2, 3, "Static", kChild | SS_RIGHT, kPanelX + 185, kPanelY + 25, 150,
     14},

    {StartLbl, 4, "Static", kLabel, 11, 7, 345, 58},
    {InstallToAllChkBx, 4, "Button", kCheck, 11, 209, 345, 17},

    // One line up to the component name at 79, never wrapping its " :" away;
    // wide enough for fonts a little wider than Tahoma, which 62 pixels were not.
    {InstallingLbl1, 5, "Static", kChild | SS_LEFTNOWORDWRAP, 11, 170, 68, 14},
    {InstallingLbl2, 5, "Static", kLabel, 79, 170, 277, 14},
    {InstallingProgressBar, 5, "msctls_progress32", kChild, 11, 190, 345, 16},

    // Three lines at this width: 45 high, still well above the first check box.
    {AssocLbl, 6, "Static", kLabel, 11, 7, 320, 45},
    {AssocChkBx1, 6, "Button", kCheck, 40, 76, 300, 17},
    {AssocChkBx2, 6, "Button", kCheck, 40, 103, 300, 17},
    {AssocChkBx3, 6, "Button", kCheck, 40, 130, 300, 17},
    {AssocChkBx4, 6, "Button", kCheck, 40, 157, 300, 17},

    {FinishLbl, 7, "Static", kLabel, 11, 7, 345, 160},
    {FinishChkBx, 7, "Button", kCheck, 40, 190, 316, 17},

    {TopLbl, -1, "Static", kLabel, 20, 14, 410, 20},
    {LogoSmallImage, -1, "Static", kChild | SS_OWNERDRAW, 440, 6, 34, 34},
    {LogoImage, -1, "Static", kChild | SS_OWNERDRAW, 1, 46, 120, 260},
    {BackBtn, -1, "Button", kButton, 210, 307 + 12, 85, 22},
    {NextBtn, -1, "Button", kButton | BS_DEFPUSHBUTTON, 295, 307 + 12, 85, 22},
    {CancelBtn, -1, "Button", kButton, 392, 307 + 12, 85, 22},
};

constexpr TBevel kBevels[] = {{3, {kPanelX, kPanelY, kPanelX + 345, kPanelY + 49}}};

} // namespace

std::span<const TControlLayout> ControlLayouts() {
  return kControls;
}

std::span<const TBevel> SheetBevels() {
  return kBevels;
}

} // namespace ui::win32
