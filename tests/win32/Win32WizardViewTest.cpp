// The wizard window with its real controls: layout, texts, rows, and what the
// user's mouse and keys are forwarded as. Input is posted before the modal
// run, which ends on a posted WM_CLOSE.
#include "platform/ui/WizardView.h"
#include "platform/ui/win32/Colours.h"
#include "platform/ui/win32/Layout.h"
#include "platform/ui/win32/MessageDialog.h"
#include "platform/ui/win32/Placement.h"
#include "platform/ui/win32/WideText.h"
#include "platform/ui/win32/WizardWindow.h"
#include "win32/MsaaReader.h"
#include "win32/RecordingViewEvents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>

using ui::TControl;
using ui::win32::TWizardWindow;

namespace {

class Win32WizardView : public testing::Test {
protected:
  TObjectModel objectModel;
  TWizardWindow view;
  TRecordingViewEvents events;

  HWND Window() const { return view.Handle(); }
  HWND Of(TControl control) const { return view.Control(control); }

  // The control's rectangle in its parent's client coordinates.
  RECT InParent(TControl control) const {
    RECT rect;
    GetWindowRect(Of(control), &rect);
    MapWindowPoints(nullptr, GetParent(Of(control)), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  std::string ClassOf(TControl control) const {
    char name[64] = {};
    GetClassNameA(Of(control), name, sizeof name);
    return name;
  }

  // Runs the window until the posted messages are handled; the last one closes it.
  void RunPosted() {
    PostMessageA(Window(), WM_CLOSE, 0, 0);
    view.RunModal(events);
  }

  void PostClick(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
  }

  static std::vector<ui::TCheckRow> ComponentRows() {
    std::vector<ui::TCheckRow> rows;
    for (int i = 0; i < 7; ++i) {
      // Appended: "literal" + string trips a false -Wrestrict in GCC 12 at -O3.
      std::string name = "Composant ";
      name += std::to_string(i);
      rows.push_back({name, "1,2 Mo", static_cast<uint8_t>(i % 3), i == 0});
    }
    return rows;
  }
  void SetComponents() { view.SetCheckRows(TControl::SelCompLstBx, ComponentRows()); }
};

TEST_F(Win32WizardView, TheWindowHasTheFixedFrameAndClientSize) {
  ASSERT_TRUE(view.Created());
  char name[32] = {};
  GetClassNameA(Window(), name, sizeof name);
  EXPECT_STREQ(name, "TMainDlgForm");
  RECT client;
  GetClientRect(Window(), &client);
  EXPECT_EQ(client.right, 492);
  EXPECT_EQ(client.bottom, 351);
  const LONG style = GetWindowLongA(Window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongA(Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(Window(), GW_OWNER), nullptr);
  // Centred on the work area of its monitor.
  RECT frame;
  GetWindowRect(Window(), &frame);
  const RECT area = ui::win32::WorkAreaOf(Window());
  EXPECT_NEAR(frame.left + frame.right, area.left + area.right, 1);
  EXPECT_NEAR(frame.top + frame.bottom, area.top + area.bottom, 1);
}

TEST_F(Win32WizardView, ControlsSitWhereTheWizardPutsThem) {
  struct TExpected {
    TControl Control;
    RECT Rect;
  };
  const TExpected expected[] = {
      {TControl::BackBtn, {210, 319, 295, 341}},
      {TControl::NextBtn, {295, 319, 380, 341}},
      {TControl::CancelBtn, {392, 319, 477, 341}},
      {TControl::LogoSmallImage, {440, 6, 474, 40}},
      {TControl::LogoImage, {1, 46, 121, 306}},
      {TControl::WelcomeLbl, {12, 27, 361, 142}},
      {TControl::LicenseMemo, {12, 25, 357, 232}},
      {TControl::DestDirLstBx, {11, 65, 356, 222}},
      {TControl::SelCompLstBx, {11, 43, 356, 191}},
      {TControl::SelCompDiskSpaceReqLbl2, {11 + 185, 208, 11 + 335, 222}},
      {TControl::InstallingProgressBar, {11, 190, 356, 206}},
      {TControl::AssocChkBx4, {40, 157, 340, 174}},
  };
  for (const TExpected& e : expected) {
    const RECT r = InParent(e.Control);
    EXPECT_EQ(r.left, e.Rect.left) << static_cast<int>(e.Control);
    EXPECT_EQ(r.top, e.Rect.top) << static_cast<int>(e.Control);
    EXPECT_EQ(r.right, e.Rect.right) << static_cast<int>(e.Control);
    EXPECT_EQ(r.bottom, e.Rect.bottom) << static_cast<int>(e.Control);
  }
  // The sheets fill the framed page area at 120,41, 375 x 268.
  RECT area;
  GetWindowRect(GetParent(GetParent(Of(TControl::WelcomeLbl))), &area);
  MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&area), 2);
  EXPECT_EQ(area.left, 120);
  EXPECT_EQ(area.top, 41);
  EXPECT_EQ(area.right - area.left, 375);
  EXPECT_EQ(area.bottom - area.top, 268);
  // The drive box is one row high when closed, and fits on its sheet.
  RECT box;
  GetWindowRect(Of(TControl::DestDirCmbBx), &box);
  EXPECT_LT(box.bottom - box.top, 30);
}

TEST_F(Win32WizardView, ControlsHaveTheStandardClassesAndAreDescendants) {
  EXPECT_EQ(ClassOf(TControl::SelCompLstBx), "ListBox");
  EXPECT_EQ(ClassOf(TControl::DestDirLstBx), "ListBox");
  EXPECT_EQ(ClassOf(TControl::DestDirCmbBx), "ComboBox");
  EXPECT_EQ(ClassOf(TControl::InstallingProgressBar), "msctls_progress32");
  EXPECT_EQ(ClassOf(TControl::LicenseMemo), "Edit");
  EXPECT_EQ(ClassOf(TControl::FinishChkBx), "Button");
  EXPECT_EQ(ClassOf(TControl::TopLbl), "Static");
  for (int i = 1; i < static_cast<int>(TControl::Count); ++i)
    EXPECT_TRUE(IsChild(Window(), Of(static_cast<TControl>(i)))) << i;
  EXPECT_TRUE(GetWindowLongA(Of(TControl::NextBtn), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST_F(Win32WizardView, TextsReadBackAsTheirCp1252Bytes) {
  const std::string title = "Choix des composants \xE0 installer";
  view.SetText(TControl::TopLbl, title);
  view.SetText(TControl::Form, "Installation du traitement de texte Brevanto (Version Light)");
  view.SetText(TControl::DestDirEdt, "C:\\Program Files\\Brevanto\xE9");
  char text[256] = {};
  GetWindowTextA(Of(TControl::TopLbl), text, sizeof text);
  EXPECT_EQ(std::string(text), title);
  GetWindowTextA(Window(), text, sizeof text);
  EXPECT_STREQ(text, "Installation du traitement de texte Brevanto (Version Light)");
  EXPECT_EQ(view.Text(TControl::DestDirEdt), "C:\\Program Files\\Brevanto\xE9");
  // The licence's lines, with their accents and an empty line kept.
  view.SetLines(TControl::LicenseMemo, {"Premi\xE8re ligne", "", "Troisi\xE8me"});
  EXPECT_EQ(view.Text(TControl::LicenseMemo), "Premi\xE8re ligne\r\n\r\nTroisi\xE8me");
}

TEST_F(Win32WizardView, CheckBoxesEnabledStateAndPages) {
  view.SetChecked(TControl::LicenseChkBx, true);
  EXPECT_TRUE(view.Checked(TControl::LicenseChkBx));
  view.SetChecked(TControl::LicenseChkBx, false);
  EXPECT_FALSE(view.Checked(TControl::LicenseChkBx));
  view.SetEnabled(TControl::NextBtn, false);
  EXPECT_FALSE(IsWindowEnabled(Of(TControl::NextBtn)));

  ShowWindow(Window(), SW_SHOWNOACTIVATE);
  view.ShowPage(2);
  EXPECT_TRUE(IsWindowVisible(Of(TControl::DestDirLstBx)));
  EXPECT_FALSE(IsWindowVisible(Of(TControl::WelcomeLbl)));
  EXPECT_FALSE(IsWindowVisible(Of(TControl::SelCompLstBx)));
  view.ShowPage(3);
  EXPECT_FALSE(IsWindowVisible(Of(TControl::DestDirLstBx)));
  EXPECT_TRUE(IsWindowVisible(Of(TControl::SelCompLstBx)));
  view.SetVisible(TControl::BackBtn, false);
  EXPECT_FALSE(IsWindowVisible(Of(TControl::BackBtn)));
  ShowWindow(Window(), SW_HIDE);
}

TEST_F(Win32WizardView, ListRowsAreReadableStringsWithTheirSelection) {
  view.SetRows(TControl::DestDirLstBx, {{"c:", ui::TPicture::OpenFolder, 3},
                                        {"Program Files", ui::TPicture::OpenFolder, 15},
                                        {"D\xE9mo", ui::TPicture::ClosedFolder, 27}});
  view.SetSelectedRow(TControl::DestDirLstBx, 1);
  const HWND folders = Of(TControl::DestDirLstBx);
  ASSERT_EQ(SendMessageA(folders, LB_GETCOUNT, 0, 0), 3);
  char text[64] = {};
  SendMessageA(folders, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "D\xE9mo");
  EXPECT_EQ(SendMessageA(folders, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(folders, LB_GETITEMHEIGHT, 0, 0), 17);

  view.SetRows(TControl::DestDirCmbBx, {{"c: [syst\xE8me]", ui::TPicture::FixedDrive},
                                        {"e: ", ui::TPicture::RemovableDrive}});
  view.SetSelectedRow(TControl::DestDirCmbBx, 1);
  const HWND drives = Of(TControl::DestDirCmbBx);
  SendMessageA(drives, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "c: [syst\xE8me]");
  EXPECT_EQ(SendMessageA(drives, CB_GETCURSEL, 0, 0), 1);
  // New rows replace the old ones.
  view.SetRows(TControl::DestDirCmbBx, {{"z: ", ui::TPicture::FixedDrive}});
  EXPECT_EQ(SendMessageA(drives, CB_GETCOUNT, 0, 0), 1);
}

TEST_F(Win32WizardView, CheckRowsKeepTheirStateAsItemDataAndTheCurrentRow) {
  SetComponents();
  const HWND list = Of(TControl::SelCompLstBx);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 7);
  char text[64] = {};
  SendMessageA(list, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Composant 3");
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, i, 0), i % 3) << i;
  view.SetCurrentRow(TControl::SelCompLstBx, 4);
  // Redrawing the same rows with new states keeps the current row.
  std::vector<ui::TCheckRow> rows(7, {"x", "", 1, false});
  rows[0].State = 2;
  view.SetCheckRows(TControl::SelCompLstBx, rows);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 4);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 2);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 5, 0), 1);
}

TEST_F(Win32WizardView, APressInTheCheckStripTogglesElsewhereOnlySelects) {
  SetComponents();
  ShowWindow(Window(), SW_SHOWNOACTIVATE);
  view.ShowPage(3);
  const HWND list = Of(TControl::SelCompLstBx);
  const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  PostClick(list, 5, 2 * height + 3);                           // row 2, in the strip
  PostClick(list, ui::win32::kCheckStripWidth, 3 * height + 3); // row 3, just past it
  PostKey(list, VK_SPACE);                                      // the current row, 3
  PostClick(list, 200, 5 * height + 3);                         // row 5, on its name
  RunPosted();
  const std::vector<std::string> expected = {"toggle 2", "toggle 3", "close"};
  EXPECT_EQ(events.UserEvents(), expected);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 5);
}

TEST_F(Win32WizardView, AChoiceInTheFolderListOrDriveBoxIsForwarded) {
  view.SetRows(TControl::DestDirLstBx,
               {{"c:", ui::TPicture::OpenFolder, 3}, {"Outils", ui::TPicture::ClosedFolder, 15}});
  ShowWindow(Window(), SW_SHOWNOACTIVATE);
  view.ShowPage(2);
  PostClick(Of(TControl::DestDirLstBx), 60, 17 + 5);
  RunPosted();
  ASSERT_FALSE(events.UserEvents().empty());
  EXPECT_EQ(events.UserEvents().front(),
            "row " + std::to_string(static_cast<int>(TControl::DestDirLstBx)) + " 1");
}

TEST_F(Win32WizardView, EnterAndEscPressNextAndCancelOnlyWhileEnabled) {
  // Each press disables the button it pressed: the second key does nothing.
  events.OnButton = [this](TControl button) { view.SetEnabled(button, false); };
  const HWND edit = Of(TControl::DestDirEdt);
  PostKey(edit, VK_RETURN);
  PostKey(edit, VK_RETURN);
  PostKey(edit, VK_ESCAPE);
  PostKey(edit, VK_ESCAPE);
  RunPosted();
  const std::vector<std::string> expected = {TRecordingViewEvents::Button(TControl::NextBtn),
                                             TRecordingViewEvents::Button(TControl::CancelBtn),
                                             "close"};
  EXPECT_EQ(events.UserEvents(), expected);
}

TEST_F(Win32WizardView, EnterOnAFocusedButtonPressesThatButton) {
  PostKey(Of(TControl::BackBtn), VK_RETURN);
  RunPosted();
  ASSERT_FALSE(events.UserEvents().empty());
  EXPECT_EQ(events.UserEvents().front(), TRecordingViewEvents::Button(TControl::BackBtn));
}

TEST_F(Win32WizardView, TimersAndActivationReachTheWizard) {
  int ticks = 0;
  events.OnTimer = [&](int id) {
    if (id != 7)
      return;
    if (++ticks == 3) {
      view.StopTimer(7);
      PostMessageA(Window(), WM_ACTIVATEAPP, FALSE, 0);
      PostMessageA(Window(), WM_CLOSE, 0, 0);
    }
  };
  view.StartTimer(7, 10);
  view.RunModal(events);
  EXPECT_EQ(ticks, 3);
  // The posted deactivation arrives right before the close.
  const auto close = std::find(events.Log.begin(), events.Log.end(), "close");
  ASSERT_NE(close, events.Log.end());
  ASSERT_NE(close, events.Log.begin());
  EXPECT_EQ(*(close - 1), "inactive");
  EXPECT_FALSE(IsWindowVisible(Window()));
}

TEST_F(Win32WizardView, ALabelsAcceleratorFocusesTheControlAfterIt) {
  view.SetText(TControl::DestDirLbl, "Veuillez indiquer dans quel &dossier vous voulez installer");
  view.SetText(TControl::SelCompLbl, "D\xE9sactivez les cases des &composants :");
  view.ShowPage(2);
  view.SetFocus(TControl::NextBtn);
  HWND focused = nullptr;
  events.OnTimer = [&](int id) {
    if (id != 3)
      return;
    view.StopTimer(3);
    focused = GetFocus();
    PostMessageA(Window(), WM_CLOSE, 0, 0);
  };
  PostMessageA(Of(TControl::NextBtn), WM_SYSKEYDOWN, 'D', 0x20000001);
  PostMessageA(Of(TControl::NextBtn), WM_SYSCHAR, 'd', 0x20000001);
  PostMessageA(Of(TControl::NextBtn), WM_SYSKEYUP, 'D', 0xE0000001);
  view.StartTimer(3, 50);
  view.RunModal(events);
  EXPECT_EQ(focused, Of(TControl::DestDirEdt));
}

// The focus is never left on a control that is disabled or hidden: it moves
// on before, and a page without a control of its own to focus gets the
// default button.
TEST_F(Win32WizardView, TheFocusMovesOffWhatIsDisabledOrHidden) {
  struct TCase {
    int Page;
    TControl Focus;
    std::function<void()> Act;
    TControl Expected;
    const char* Why;
  };
  const TCase cases[] = {
      {4, TControl::NextBtn, [&] { view.SetEnabled(TControl::NextBtn, false); },
       TControl::CancelBtn, "Next disabled for the installing page"},
      {1, TControl::LicenseChkBx, [&] { view.ShowPage(5); }, TControl::NextBtn,
       "a page's control hidden with its page"},
      {6, TControl::AssocChkBx1,
       [&] {
         view.SetEnabled(TControl::CancelBtn, false);
         view.ShowPage(7);
       },
       TControl::NextBtn, "the Finish page"},
      {2, TControl::DestDirEdt, [&] { view.SetVisible(TControl::DestDirEdt, false); },
       TControl::DestDirLstBx, "a control hidden on its page"},
  };
  std::vector<HWND> focused;
  events.OnTimer = [&](int id) {
    if (id != 4)
      return;
    view.StopTimer(4);
    for (const TCase& c : cases) {
      for (TControl control : {TControl::NextBtn, TControl::CancelBtn, TControl::DestDirEdt}) {
        view.SetEnabled(control, true);
        view.SetVisible(control, true);
      }
      view.ShowPage(c.Page);
      view.SetFocus(c.Focus);
      c.Act();
      focused.push_back(GetFocus());
    }
    PostMessageA(Window(), WM_CLOSE, 0, 0);
  };
  view.StartTimer(4, 10);
  view.RunModal(events);
  ASSERT_EQ(focused.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(focused[i], Of(cases[i].Expected)) << cases[i].Why;
}

// One scale loop: at each DPI the window, its fonts and its list rows are
// the 96-DPI ones scaled (the controls' rectangles, all four edges, in
// Win32DpiTest's table of DPI changes).
TEST_F(Win32WizardView, EveryDpiScalesTheLayoutFontsAndRows) {
  SetComponents();
  const auto emHeight = [&] {
    HDC dc = GetDC(Window());
    const HGDIOBJ old = SelectObject(
        dc, reinterpret_cast<HFONT>(SendMessageA(Of(TControl::WelcomeLbl), WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(Window(), dc);
    return static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading);
  };
  view.ApplyDpi(96, nullptr);
  const int em96 = emHeight();
  for (int dpi : {120, 144, 192, 96}) {
    view.ApplyDpi(dpi, nullptr);
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, MulDiv(ui::win32::kClientWidth, dpi, 96)) << dpi;
    EXPECT_EQ(client.bottom, MulDiv(ui::win32::kClientHeight, dpi, 96)) << dpi;
    const HWND list = Of(TControl::SelCompLstBx);
    const auto rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_GE(rowHeight, MulDiv(ui::win32::kCheckBoxSize, dpi, 96)) << dpi;
    EXPECT_NEAR(emHeight(), MulDiv(em96, dpi, 96), 1) << dpi;
    EXPECT_GE(rowHeight, emHeight()) << dpi;
  }
}

// High contrast turned on while the wizard is up: the banner's title takes
// the system's text colour on its window colour. Through the system setting
// where the system takes it (Wine does not), else through the window's
// colour choice.
TEST_F(Win32WizardView, HighContrastGivesTheBannerTheSystemColours) {
  const auto titleColours = [&] {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Of(TControl::TopLbl)));
    const std::pair<COLORREF, COLORREF> colours = {GetTextColor(dc), GetBkColor(dc)};
    DeleteDC(dc);
    return colours;
  };
  const auto normal = titleColours();
  HIGHCONTRASTW contrast = {sizeof contrast, HCF_HIGHCONTRASTON, nullptr};
  const bool systemTakesIt =
      SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
      ui::win32::HighContrastOn();
  if (systemTakesIt)
    SendMessageA(Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  else
    view.ApplyColours(true);
  const auto high = titleColours();
  contrast.dwFlags = 0;
  SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0);
  // A change of settings reads the system's setting again: off.
  SendMessageA(Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_EQ(high.first, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(high.second, GetSysColor(COLOR_WINDOW));
  EXPECT_NE(normal.first, high.first);
  EXPECT_EQ(titleColours(), normal);
}

// The end of the session: the wizard's answer goes back to the system; when
// the session ends, the wizard is told, and a message dialog still open is
// closed with no answer, since nobody will give one.
TEST_F(Win32WizardView, TheEndOfTheSessionIsAskedThenEndsAnOpenDialog) {
  int dialogResult = -100;
  LRESULT refused = -1, allowed = -1;
  bool dialogOpen = false;
  events.OnTimer = [&](int id) {
    if (id != 5)
      return;
    if (!dialogOpen) {
      dialogOpen = true;
      events.AllowSessionEnd = false;
      refused = SendMessageA(Window(), WM_QUERYENDSESSION, 0, 0);
      events.AllowSessionEnd = true;
      allowed = SendMessageA(Window(), WM_QUERYENDSESSION, 0, 0);
      SendMessageA(Window(), WM_ENDSESSION, FALSE, 0); // the end called off
      dialogResult = view.ShowDialog({"Erreur", ui::TDialogIcon::Hand, "Fichier", {{"OK", 1}}});
      view.StopTimer(5);
      PostMessageA(Window(), WM_CLOSE, 0, 0);
      return;
    }
    // A tick inside the dialog's own loop: the session ends now.
    SendMessageA(Window(), WM_ENDSESSION, TRUE, 0);
  };
  view.StartTimer(5, 20);
  view.RunModal(events);
  EXPECT_EQ(refused, FALSE);
  EXPECT_EQ(allowed, TRUE);
  EXPECT_EQ(dialogResult, ui::win32::kDialogNotShown);
  const std::vector<std::string> expected = {"session end asked", "session end asked",
                                             "session ends", "close"};
  EXPECT_EQ(events.UserEvents(), expected);
}

TEST(Win32WizardViewFactory, CreatesTheWindowHidden) {
  const auto view = ui::CreateWizardView();
  ASSERT_NE(view, nullptr);
  const HWND window = FindWindowA("TMainDlgForm", nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
}

} // namespace
