// The wizard window and the message dialog on monitors of other scales: the
// client area each asks for whatever caption and frame the monitor gives it,
// and a change of DPI (WM_DPICHANGED, which Windows sends when a window is
// dragged to a monitor of another scale, and Wine never sends) that moves
// every control on all four edges, gives it the new DPI's font and repaints it.
#include "platform/ui/win32/Dpi.h"
#include "platform/ui/win32/Layout.h"
#include "platform/ui/win32/MessageDialog.h"
#include "platform/ui/win32/WizardWindow.h"
#include "support/win32/ThickerFrames.h"
#include "win32/MsaaReader.h"
#include "win32/RecordingViewEvents.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

using ui::win32::Scale;

namespace {

constexpr UINT kDpiChanged = 0x02E0; // WM_DPICHANGED
constexpr int kStepTimer = 7;
constexpr int kDialogTimer = 8;

ui::TDialogSpec Question() {
  return {"Question",
          ui::TDialogIcon::Question,
          "Une question assez longue pour tenir sur plusieurs lignes du dialogue, "
          "quelle que soit la largeur de son texte ?\r\rEt une seconde ligne.",
          {{"&Oui", 6}, {"&Non", 7}},
          0,
          1,
          2};
}

std::string Text(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + " - " +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

SIZE ClientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

SIZE IconSize(HICON icon) {
  ICONINFO info = {};
  BITMAP bitmap = {};
  if (!icon || !GetIconInfo(icon, &info))
    return {0, 0};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  for (HBITMAP owned : {info.hbmColor, info.hbmMask})
    if (owned)
      DeleteObject(owned);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

// What Windows sends a window moved to a monitor at another DPI: the new DPI
// and its window rectangle scaled.
void SendDpiChange(HWND window, int from, int to) {
  RECT rect;
  GetWindowRect(window, &rect);
  RECT suggested = {rect.left, rect.top, rect.left + MulDiv(rect.right - rect.left, to, from),
                    rect.top + MulDiv(rect.bottom - rect.top, to, from)};
  SendMessageW(window, kDpiChanged, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
}

// What a control shows: its rectangle in its parent, its font's character
// height (0 for no font, or a deleted one) and whether it waits to be painted.
struct TShown {
  RECT Rect;
  int FontHeight;
  bool Repaints;
};

TShown ShownOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW logFont = {};
  const int height =
      font && GetObjectW(font, sizeof logFont, &logFont) ? std::abs(logFont.lfHeight) : 0;
  return {rect, height, GetUpdateRect(control, nullptr, FALSE) != FALSE};
}

std::vector<TShown> ShownChildren(HWND window) {
  std::vector<TShown> shown;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    shown.push_back(ShownOf(child));
  return shown;
}

// Nothing of the window waits to be painted.
void PaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// A caption icon's size at a DPI as the system answers it (Windows 10 and
// Wine); 0 where the system cannot tell.
int IconMetric(int index, int dpi) {
  using Fn = int(WINAPI*)(int, UINT);
  const auto forDpi = reinterpret_cast<Fn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
  return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : 0;
}

// A wizard window run modally, which opens a message dialog on demand.
class TWizardSession {
public:
  ui::win32::TWizardWindow View;

  // Runs act once inside the window's modal loop, the window shown.
  void WhileShown(const std::function<void()>& act) {
    events_.OnTimer = [&](int id) { OnTick(id, act); };
    View.StartTimer(kStepTimer, 10);
    View.RunModal(events_);
    View.StopTimer(kStepTimer);
  }

  // Opens the dialog at the window's DPI, runs act on it once it is shown,
  // and closes it.
  void WithDialog(std::function<void(HWND)> act) {
    inDialog_ = std::move(act);
    View.StartTimer(kDialogTimer, 10);
    View.ShowDialog(spec_);
    View.StopTimer(kDialogTimer);
  }

private:
  void OnTick(int id, const std::function<void()>& act) {
    if (id == kStepTimer) {
      View.StopTimer(kStepTimer);
      act();
      events_.IsClosed = true;
      return;
    }
    const HWND dialog = FindWindowA(ui::win32::kMessageDialogClass, nullptr);
    // The dialog manager shows the dialog once its first messages are handled.
    if (id != kDialogTimer || !dialog || !IsWindowVisible(dialog) || !inDialog_)
      return;
    std::exchange(inDialog_, nullptr)(dialog);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  }

  TRecordingViewEvents events_;
  std::function<void(HWND)> inDialog_;
  const ui::TDialogSpec spec_ = Question();
};

// On a monitor whose caption and frame take more than the system's metrics
// say, the wizard's client area is still its layout's size scaled, and the
// dialog's the size it has where the metrics are right.
TEST(Win32Dpi, ClientAreasKeepTheirSizeWhateverTheFrame) {
  TObjectModel objectModel;
  constexpr int kDpis[] = {96, 144, 192};
  std::map<int, SIZE> dialogSizes;
  {
    TWizardSession plain;
    plain.WhileShown([&] {
      for (int dpi : kDpis) {
        plain.View.ApplyDpi(dpi, nullptr);
        plain.WithDialog([&](HWND dialog) { dialogSizes[dpi] = ClientSize(dialog); });
      }
    });
  }
  TThickerFrames frames;
  TWizardSession thick;
  const HWND window = thick.View.Handle();
  const auto expectClient = [&](int dpi, const char* why) {
    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, Scale(ui::win32::kClientWidth, dpi)) << why << dpi;
    EXPECT_EQ(client.cy, Scale(ui::win32::kClientHeight, dpi)) << why << dpi;
  };
  expectClient(thick.View.Dpi(), "created at ");
  thick.WhileShown([&] {
    for (int dpi : kDpis) {
      SendDpiChange(window, thick.View.Dpi(), dpi);
      expectClient(dpi, "moved to ");
      SIZE dialog = {};
      thick.WithDialog([&](HWND shown) { dialog = ClientSize(shown); });
      EXPECT_EQ(dialog.cx, dialogSizes[dpi].cx) << dpi;
      EXPECT_EQ(dialog.cy, dialogSizes[dpi].cy) << dpi;
    }
  });
}

// One change of DPI per row, sent to the window it names: every control ends
// where the new DPI puts it, with the new DPI's font, and waits to be
// painted; the wizard's rectangles are its layout table's scaled, the
// dialog's those of a dialog opened at the new DPI. A change of the wizard
// under an open dialog leaves the dialog, and the font it draws with, alone.
TEST(Win32Dpi, AChangeOfDpiMovesRefontsAndRepaintsEveryControl) {
  enum class TWindow { Wizard, Dialog, WizardUnderDialog };
  constexpr int kEveryPage = -1; // each page in turn: the hidden ones repaint nothing
  struct TCase {
    TWindow Window;
    int From, To;
    int Page; // of the wizard
  };
  const TCase cases[] = {{TWindow::Wizard, 96, 144, kEveryPage},  {TWindow::Wizard, 144, 192, 3},
                         {TWindow::Wizard, 192, 120, 2},          {TWindow::Wizard, 120, 96, 5},
                         {TWindow::Dialog, 96, 192, 0},           {TWindow::Dialog, 144, 96, 0},
                         {TWindow::WizardUnderDialog, 96, 144, 0}};
  TObjectModel objectModel;
  TWizardSession session;
  ui::win32::TWizardWindow& view = session.View;
  const HWND wizard = view.Handle();
  view.ApplyDpi(ui::win32::kBaseDpi, nullptr);
  std::map<HWND, int> fontAt96;
  for (const ui::win32::TControlLayout& layout : ui::win32::ControlLayouts())
    fontAt96[view.Control(layout.Control)] = ShownOf(view.Control(layout.Control)).FontHeight;

  const auto wizardRow = [&](const TCase& c, int page) {
    view.ApplyDpi(c.From, nullptr);
    view.ShowPage(page);
    PaintNow(wizard);
    SendDpiChange(wizard, c.From, c.To);
    for (const ui::win32::TControlLayout& layout : ui::win32::ControlLayouts()) {
      const HWND control = view.Control(layout.Control);
      const TShown shown = ShownOf(control);
      const int left = Scale(layout.X, c.To), top = Scale(layout.Y, c.To);
      RECT expected = {left, top, left + Scale(layout.Width, c.To),
                       top + Scale(layout.Height, c.To)};
      // A drop-down box is as high as its row; the layout's height is its list's.
      if (std::string_view(layout.ClassName) == "ComboBox")
        expected.bottom = shown.Rect.bottom;
      const int id = static_cast<int>(layout.Control);
      EXPECT_EQ(Text(shown.Rect), Text(expected)) << c.From << " to " << c.To << ", control " << id;
      EXPECT_NEAR(shown.FontHeight, Scale(fontAt96[control], c.To), 1)
          << c.To << ", control " << id;
      if (IsWindowVisible(control)) {
        EXPECT_TRUE(shown.Repaints) << c.To << ", page " << page << ", control " << id;
      }
    }
    for (auto [type, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, std::pair{ICON_BIG, SM_CXICON}})
      if (const int size = IconMetric(metric, c.To)) {
        EXPECT_EQ(IconSize(reinterpret_cast<HICON>(SendMessageW(wizard, WM_GETICON, type, 0))).cx,
                  size)
            << c.To << ", caption icon " << type;
      }
  };
  const auto dialogRow = [&](const TCase& c) {
    std::vector<TShown> expected, shown;
    SIZE expectedClient = {}, client = {}, icon = {};
    view.ApplyDpi(c.To, nullptr);
    session.WithDialog([&](HWND dialog) {
      expected = ShownChildren(dialog);
      expectedClient = ClientSize(dialog);
    });
    view.ApplyDpi(c.From, nullptr);
    session.WithDialog([&](HWND dialog) {
      PaintNow(dialog);
      SendDpiChange(dialog, c.From, c.To);
      shown = ShownChildren(dialog);
      client = ClientSize(dialog);
      const HWND iconControl = GetWindow(dialog, GW_CHILD);
      icon = IconSize(reinterpret_cast<HICON>(SendMessageW(iconControl, STM_GETICON, 0, 0)));
    });
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
      EXPECT_EQ(Text(shown[i].Rect), Text(expected[i].Rect))
          << c.From << " to " << c.To << ", " << i;
      EXPECT_EQ(shown[i].FontHeight, expected[i].FontHeight) << c.To << ", child " << i;
      EXPECT_TRUE(shown[i].Repaints) << c.To << ", child " << i;
    }
    EXPECT_EQ(client.cx, expectedClient.cx) << c.To;
    EXPECT_EQ(client.cy, expectedClient.cy) << c.To;
    // The icon is the system's at the DPI, the size of its control.
    const RECT iconRect = shown.front().Rect;
    EXPECT_EQ(icon.cx, iconRect.right - iconRect.left) << c.To;
    EXPECT_EQ(icon.cy, iconRect.bottom - iconRect.top) << c.To;
  };
  const auto underDialogRow = [&](const TCase& c) {
    std::vector<TShown> before, after;
    view.ApplyDpi(c.From, nullptr);
    session.WithDialog([&](HWND dialog) {
      before = ShownChildren(dialog);
      SendDpiChange(wizard, c.From, c.To);
      after = ShownChildren(dialog);
    });
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
      EXPECT_EQ(Text(after[i].Rect), Text(before[i].Rect)) << i;
      EXPECT_EQ(after[i].FontHeight, before[i].FontHeight) << "a deleted font? child " << i;
    }
  };

  session.WhileShown([&] {
    for (const TCase& c : cases) {
      if (c.Window == TWindow::Wizard && c.Page == kEveryPage)
        for (int page = 0; page < ui::win32::kPageCount; ++page)
          wizardRow(c, page);
      else if (c.Window == TWindow::Wizard)
        wizardRow(c, c.Page);
      else if (c.Window == TWindow::Dialog)
        dialogRow(c);
      else
        underDialogRow(c);
    }
  });
}

} // namespace
