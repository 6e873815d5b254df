// The modal message dialog: its layout, the answers Enter, Esc and the close
// box give for the button sets the setup uses, and the wizard's timers firing
// underneath. The dialog is driven from the wizard's own timer ticks, which
// its message loop keeps delivering.
#include "platform/ui/win32/MessageDialog.h"
#include "platform/ui/win32/Placement.h"
#include "platform/ui/win32/WideText.h"
#include "platform/ui/win32/WizardWindow.h"
#include "win32/MsaaReader.h"
#include "win32/RecordingViewEvents.h"

#include <gtest/gtest.h>

#include <algorithm>

using ui::TDialogIcon;
using ui::TDialogSpec;

namespace {

TDialogSpec AbortRetryIgnore() {
  return {"Erreur",
          TDialogIcon::Hand,
          "Impossible de cr\xE9"
          "er le fichier.",
          {{"A&bandonner", 3},
           {"&R\xE9"
            "essayer",
            4},
           {"I&gnorer", 5}},
          1,
          -1,
          2};
}
TDialogSpec NoAbort() {
  return {"Confirmation",
          TDialogIcon::Question,
          "L'installation n'est pas termin\xE9"
          "e !\r\rPour poursuivre, cliquez sur \"Non\".",
          {{"&Non", 7}, {"A&bandonner", 3}},
          -1,
          0,
          2};
}
TDialogSpec YesNo() {
  return {"Information",
          TDialogIcon::Asterisk,
          "Voulez-vous vraiment annuler ?",
          {{"&Oui", 6}, {"&Non", 7}},
          0,
          1,
          2};
}

struct TButtonInfo {
  std::string Caption;
  RECT Rect;
};

class Win32MessageDialog : public testing::Test {
protected:
  TObjectModel objectModel;
  ui::win32::TWizardWindow view;
  TRecordingViewEvents events;
  int ticksInDialog = 0;
  bool wizardDisabledUnderneath = false;
  std::vector<TButtonInfo> buttons;
  std::string text;
  RECT dialogRect{};
  RECT dialogClient{};
  RECT textRect{};
  TAccessibleRead accessible;

  static HWND Dialog(const TDialogSpec& spec) {
    return FindWindowA(ui::win32::kMessageDialogClass, spec.Caption.c_str());
  }

  void Inspect(HWND dialog) {
    wizardDisabledUnderneath = !IsWindowEnabled(view.Handle());
    if (IAccessible* object = AccessibleOfWindow(dialog)) {
      accessible = ReadAccessible(object, CHILDID_SELF);
      object->Release();
    }
    GetWindowRect(dialog, &dialogRect);
    GetClientRect(dialog, &dialogClient);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[32] = {}, caption[512] = {};
      GetClassNameA(child, name, sizeof name);
      GetWindowTextA(child, caption, sizeof caption);
      RECT rect;
      GetWindowRect(child, &rect);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
      if (std::string(name) == "Button")
        buttons.push_back({caption, rect});
      else if (std::string(name) == "Static" && caption[0]) {
        text = caption;
        textRect = rect;
      }
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const TButtonInfo& a, const TButtonInfo& b) { return a.Rect.left < b.Rect.left; });
  }

  // Shows the dialog from a tick of the wizard's timer 1; on each later tick
  // inside the dialog one message of the list goes to it. A dialog the keys
  // leave unanswered fails the test and is ended after kUnanswered, so that a
  // lost key cannot hang the whole program.
  static constexpr DWORD kUnanswered = 10000;
  int Run(const TDialogSpec& spec, std::vector<UINT> keys) {
    int result = -100;
    bool shown = false, abandoned = false;
    const DWORD start = GetTickCount();
    events.IsClosed = false;
    ticksInDialog = 0;
    buttons.clear();
    events.OnTimer = [&](int id) {
      if (id != 1)
        return;
      if (!shown) {
        shown = true;
        result = view.ShowDialog(spec);
        events.IsClosed = true;
        return;
      }
      const HWND dialog = Dialog(spec);
      if (!dialog)
        return;
      if (++ticksInDialog == 1)
        Inspect(dialog);
      if (keys.empty()) {
        if (abandoned || GetTickCount() - start < kUnanswered)
          return;
        abandoned = true;
        ADD_FAILURE() << "the dialog \"" << spec.Caption << "\" was not answered";
        EndDialog(dialog, -1);
        return;
      }
      const UINT key = keys.front();
      keys.erase(keys.begin());
      if (key == WM_CLOSE) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
      } else if (key >= 'A' && key <= 'Z') {
        PostMessageA(GetFocus(), WM_CHAR, key - 'A' + 'a', 1);
      } else {
        // To the focused control, where the key of a person goes.
        PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
      }
    };
    view.StartTimer(1, 20);
    view.RunModal(events);
    view.StopTimer(1);
    return result;
  }
};

// The dialog manager's keys: Enter presses the focused push button, which
// Tab, Shift+Tab and the arrows move; the focus starts on the default button,
// else on the cancel button; Esc presses the cancel button; a letter presses
// its button; the close box gives its own result.
TEST_F(Win32MessageDialog, KeysAnswerAsTheDialogManagerDoes) {
  const TDialogSpec ok = {
      "Information", TDialogIcon::Asterisk, "Fermez le programme.", {{"OK", 1}}, 0, 0, 2};
  struct TCase {
    TDialogSpec Spec;
    std::vector<UINT> Keys;
    int Expected;
    const char* Why;
  };
  const TCase cases[] = {
      {AbortRetryIgnore(),
       {VK_ESCAPE, VK_RETURN},
       4,
       "file error: Esc does nothing, Enter retries"},
      {NoAbort(), {VK_RETURN}, 7, "no default button: Enter presses the focused No"},
      {NoAbort(), {VK_ESCAPE}, 7, "Esc answers No"},
      {YesNo(), {VK_RETURN}, 6, "licence question: Enter answers Yes"},
      {YesNo(), {VK_ESCAPE}, 7, "licence question: Esc answers No"},
      {YesNo(), {VK_TAB, VK_RETURN}, 7, "Tab from Yes to No"},
      {AbortRetryIgnore(), {VK_TAB, VK_RETURN}, 5, "Tab from Retry to Ignore"},
      {AbortRetryIgnore(), {VK_TAB, VK_TAB, VK_TAB, VK_RETURN}, 4, "Tab wraps round"},
      {AbortRetryIgnore(), {VK_RIGHT, VK_RETURN}, 5, "an arrow moves like Tab"},
      {NoAbort(), {VK_TAB, VK_RETURN}, 3, "no default button: the focus starts on No"},
      {AbortRetryIgnore(), {'G'}, 5, "a button's accelerator presses it"},
      {NoAbort(), {WM_CLOSE}, 2, "the close box"},
      {ok, {WM_CLOSE}, 2, "the close box of a dialog with OK alone"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(Run(c.Spec, c.Keys), c.Expected) << c.Why;
    EXPECT_GE(ticksInDialog, int(c.Keys.size())) << c.Why;
  }
}

TEST_F(Win32MessageDialog, ButtonsInOrderCentredUnderTheTextWizardDisabled) {
  Run(AbortRetryIgnore(), {VK_RETURN});
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[0].Caption, "A&bandonner");
  EXPECT_EQ(buttons[1].Caption, "&R\xE9"
                                "essayer");
  EXPECT_EQ(buttons[2].Caption, "I&gnorer");
  const int left = buttons.front().Rect.left;
  const int right = dialogClient.right - buttons.back().Rect.right;
  EXPECT_NEAR(left, right, 1);
  EXPECT_GE(buttons[0].Rect.top, textRect.bottom);
  EXPECT_EQ(text, "Impossible de cr\xE9"
                  "er le fichier.");
  EXPECT_TRUE(wizardDisabledUnderneath);
  EXPECT_TRUE(IsWindowEnabled(view.Handle()));
  // Centred on the work area of the wizard's monitor.
  const RECT area = ui::win32::WorkAreaOf(view.Handle());
  EXPECT_NEAR(dialogRect.left + dialogRect.right, area.left + area.right, 1);
  EXPECT_NEAR(dialogRect.top + dialogRect.bottom, area.top + area.bottom, 1);
}

TEST_F(Win32MessageDialog, TextKeepsItsLineBreaksAndWrapsAtHalfTheScreen) {
  TDialogSpec spec = NoAbort();
  Run(spec, {VK_ESCAPE});
  EXPECT_EQ(text, spec.Text);
  // Screen readers announce a dialog and read its text.
  EXPECT_EQ(accessible.Role, ROLE_SYSTEM_DIALOG);
  EXPECT_EQ(accessible.Description, ui::win32::WideMessageOf(spec.Text));
  // "\r\r" makes an empty line: the text is at least three lines high.
  const int oneLine = 13;
  EXPECT_GE(textRect.bottom - textRect.top, 3 * oneLine);

  std::string longText;
  for (int i = 0; i < 60; ++i)
    longText += "mot" + std::to_string(i) + " ";
  spec.Text = longText;
  Run(spec, {VK_ESCAPE});
  EXPECT_LE(textRect.right - textRect.left, GetSystemMetrics(SM_CXSCREEN) / 2);
  EXPECT_GE(textRect.bottom - textRect.top, 2 * oneLine);
}

// A dialog nobody could see has no answer: its window cannot be created (an
// owner that is no window), or the program is quitting (WM_QUIT, which is
// left for the outer loop). The close box's answer would be taken for a
// choice: Retry, for the file error dialog.
TEST(Win32MessageDialogUnseen, AnswersNothing) {
  ui::win32::TWizardWindow wizard;
  const TDialogSpec spec = AbortRetryIgnore(); // the dialog keeps a reference
  HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(gone);
  DestroyWindow(gone);
  ui::win32::TMessageDialog orphan(spec, gone, 96);
  EXPECT_EQ(orphan.Run(), ui::kNoDialogAnswer) << "owner that is no window";

  PostQuitMessage(0);
  ui::win32::TMessageDialog quitting(spec, wizard.Handle(), 96);
  EXPECT_EQ(quitting.Run(), ui::kNoDialogAnswer) << "WM_QUIT";
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
