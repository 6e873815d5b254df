// What a screen reader is told by the wizard's lists and by the message
// dialog, asked in process as a reader asks: one table per object of
// (question, child, answer), the answers taken from the windows themselves.
// Then what a reader may do to the component list: no more than a person can.
#include "platform/ui/win32/Layout.h"
#include "platform/ui/win32/MessageDialog.h"
#include "platform/ui/win32/WizardWindow.h"
#include "win32/MsaaReader.h"
#include "win32/RecordingViewEvents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using ui::TControl;
using ui::win32::TWizardWindow;

namespace {

constexpr long kSelf = CHILDID_SELF;
// Matches any non-empty text.
const std::wstring kAnyText = L"<any>";

struct TCase {
  TAsk Ask;
  long Child;
  HRESULT Result;
  std::wstring Value;
  long StateMask = 0; // State: only these bits are compared
};

std::wstring Number(long value) {
  return L"#" + std::to_wstring(value);
}

std::wstring Screen(HWND window, RECT rect) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
         std::to_wstring(rect.right - rect.left) + L"," + std::to_wstring(rect.bottom - rect.top);
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// A caption as a reader says it: the accelerator mark dropped.
std::wstring Spoken(std::wstring text) {
  std::erase(text, L'&');
  return text;
}

std::wstring ListText(HWND list, bool combo, int row) {
  wchar_t text[512] = {};
  SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(text));
  return text;
}

void ExpectAnswers(IAccessible* object, const std::vector<TCase>& cases) {
  ASSERT_NE(object, nullptr);
  for (size_t i = 0; i < cases.size(); ++i) {
    const TCase& c = cases[i];
    TAnswer answer = Ask(object, c.Ask, c.Child);
    if (c.StateMask && answer.Value.size() > 1)
      answer.Value = Number(std::stol(answer.Value.substr(1)) & c.StateMask);
    EXPECT_EQ(answer.Result, c.Result) << "row " << i;
    if (c.Value == kAnyText)
      EXPECT_FALSE(answer.Value.empty()) << "row " << i;
    else
      EXPECT_EQ(answer.Value, c.Value) << "row " << i;
  }
}

class Win32Accessibility : public testing::Test {
protected:
  TObjectModel objectModel;
  TWizardWindow view;
  TRecordingViewEvents events;

  HWND Of(TControl control) const { return view.Control(control); }

  static int PageOf(TControl control) {
    for (const ui::win32::TControlLayout& layout : ui::win32::ControlLayouts())
      if (layout.Control == control)
        return layout.Page;
    return -1;
  }

  // Runs inside the wizard's modal loop, as a reader's calls arrive; with a
  // dialog, inside the dialog's loop over the disabled wizard.
  void RunInside(const std::function<void()>& act, bool dialogUp = false) {
    const ui::TDialogSpec dialog = {
        "Question", ui::TDialogIcon::Question, "Vraiment ?", {{"&Oui", 6}, {"&Non", 7}}, 0, 1, 2};
    int ticks = 0;
    events.IsClosed = false;
    events.OnTimer = [&](int id) {
      if (id != 6)
        return;
      ++ticks;
      if (ticks == 1 && dialogUp) {
        view.ShowDialog(dialog);
        return;
      }
      if (ticks == 1 || (ticks == 2 && dialogUp)) {
        act();
        view.StopTimer(6);
        if (dialogUp)
          PostMessageA(FindWindowA(ui::win32::kMessageDialogClass, nullptr), WM_CLOSE, 0, 0);
        events.IsClosed = true;
      }
    };
    view.StartTimer(6, 20);
    view.RunModal(events);
  }

  static std::vector<ui::TCheckRow> ComponentRows() {
    std::vector<ui::TCheckRow> rows;
    for (int i = 0; i < 5; ++i) {
      std::string name = "Composant ";
      name += std::to_string(i);
      rows.push_back({name, std::to_string(i + 1) + " Mo", static_cast<uint8_t>(i % 3), i == 0});
    }
    return rows;
  }
};

// The folder list: each row a list item with its text, its place on the
// screen, an action, and the focus on the current row.
TEST_F(Win32Accessibility, TheFolderListAnswersForEveryRow) {
  const HWND list = Of(TControl::DestDirLstBx);
  view.SetRows(TControl::DestDirLstBx, {{"c:"}, {"Programmes"}, {"Brevanto"}});
  view.SetAccessibleName(TControl::DestDirLstBx, "&Dossiers");
  view.ShowPage(PageOf(TControl::DestDirLstBx));
  std::vector<TCase> cases;
  RunInside([&] {
    view.SetFocus(TControl::DestDirLstBx);
    view.SetSelectedRow(TControl::DestDirLstBx, 1);
    const long count = static_cast<long>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    cases = {{TAsk::ChildCount, kSelf, S_OK, Number(count)},
             {TAsk::Name, kNoChildId, S_OK, L"Dossiers"},
             {TAsk::Role, kSelf, S_OK, Number(ROLE_SYSTEM_LIST)},
             {TAsk::Focus, kSelf, S_OK, Number(2)},
             {TAsk::State, 2, S_OK, Number(STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED},
             {TAsk::State, 1, S_OK, Number(0), STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED},
             {TAsk::Name, count + 1, E_INVALIDARG, L""},
             {TAsk::Location, count + 1, E_INVALIDARG, L""},
             {TAsk::DefaultAction, count + 1, E_INVALIDARG, L""},
             {TAsk::Role, count + 1, E_INVALIDARG, L""},
             {TAsk::Help, -3, E_INVALIDARG, L""}};
    for (long row = 0; row < count; ++row) {
      RECT rect = {};
      SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
      cases.push_back({TAsk::Name, row + 1, S_OK, ListText(list, false, static_cast<int>(row))});
      cases.push_back({TAsk::Role, row + 1, S_OK, Number(ROLE_SYSTEM_LISTITEM)});
      cases.push_back({TAsk::Location, row + 1, S_OK, Screen(list, rect)});
      cases.push_back({TAsk::DefaultAction, row + 1, S_OK, kAnyText});
    }
    IAccessible* object = AccessibleOfWindow(list);
    ExpectAnswers(object, cases);
    // The default action chooses the row, as a click does.
    EXPECT_EQ(Ask(object, TAsk::DoDefaultAction, count).Result, S_OK);
    object->Release();
  });
  EXPECT_FALSE(cases.empty());
  EXPECT_EQ(events.UserEvents(),
            std::vector<std::string>{
                "row " + std::to_string(static_cast<int>(TControl::DestDirLstBx)) + " 2"});
}

// The drive box, closed: the chosen drive is where the box shows it, the
// others where the drop-down list puts them, unseen.
TEST_F(Win32Accessibility, TheDriveBoxAnswersForEveryDrive) {
  const HWND box = Of(TControl::DestDirCmbBx);
  view.SetRows(TControl::DestDirCmbBx, {{"c: [syst\xE8me]"},
                                        {"d: [donn\xE9"
                                         "es]"},
                                        {"e:"}});
  view.SetAccessibleName(TControl::DestDirCmbBx, "Lecteu&r");
  view.ShowPage(PageOf(TControl::DestDirCmbBx));
  RunInside([&] {
    view.SetFocus(TControl::DestDirCmbBx);
    view.SetSelectedRow(TControl::DestDirCmbBx, 0);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(box, &info));
    const long count = static_cast<long>(SendMessageW(box, CB_GETCOUNT, 0, 0));
    std::vector<TCase> cases = {{TAsk::ChildCount, kSelf, S_OK, Number(count)},
                                {TAsk::Name, kSelf, S_OK, L"Lecteur"},
                                {TAsk::Role, kNoChildId, S_OK, Number(ROLE_SYSTEM_COMBOBOX)},
                                {TAsk::Focus, kSelf, S_OK, Number(1)},
                                {TAsk::Value, kSelf, S_OK, ListText(box, true, 0)},
                                {TAsk::Location, 1, S_OK, Screen(box, info.rcItem)},
                                {TAsk::State, 1, S_OK, Number(STATE_SYSTEM_SELECTED),
                                 STATE_SYSTEM_SELECTED | STATE_SYSTEM_INVISIBLE},
                                {TAsk::State, 2, S_OK, Number(STATE_SYSTEM_INVISIBLE),
                                 STATE_SYSTEM_SELECTED | STATE_SYSTEM_INVISIBLE},
                                {TAsk::Name, count + 1, E_INVALIDARG, L""},
                                {TAsk::Location, count + 1, E_INVALIDARG, L""},
                                {TAsk::State, count + 1, E_INVALIDARG, L""}};
    for (long row = 0; row < count; ++row) {
      cases.push_back({TAsk::Name, row + 1, S_OK, ListText(box, true, static_cast<int>(row))});
      cases.push_back({TAsk::Role, row + 1, S_OK, Number(ROLE_SYSTEM_LISTITEM)});
      cases.push_back({TAsk::DefaultAction, row + 1, S_OK, kAnyText});
      if (row > 0) {
        RECT rect = {};
        SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect));
        cases.push_back({TAsk::Location, row + 1, S_OK, Screen(info.hwndList, rect)});
      }
    }
    IAccessible* object = AccessibleOfWindow(box);
    ExpectAnswers(object, cases);
    // Open, the chosen drive is in the list too, and every drive is seen.
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    RECT first = {};
    SendMessageW(info.hwndList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    ExpectAnswers(object, {{TAsk::Location, 1, S_OK, Screen(info.hwndList, first)},
                           {TAsk::State, count, S_OK, Number(0), STATE_SYSTEM_INVISIBLE}});
    SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(Ask(object, TAsk::DoDefaultAction, count).Result, S_OK);
    if (object)
      object->Release();
  });
  EXPECT_EQ(events.UserEvents(),
            std::vector<std::string>{
                "row " + std::to_string(static_cast<int>(TControl::DestDirCmbBx)) + " 2"});
}

// The message dialog: a dialog whose icon, text and buttons a reader lists,
// with the focus on the focused button.
TEST_F(Win32Accessibility, TheDialogListsItsPartsAndItsFocus) {
  bool asked = false;
  RunInside(
      [&] {
        const HWND dialog = FindWindowA(ui::win32::kMessageDialogClass, nullptr);
        ASSERT_NE(dialog, nullptr);
        std::wstring children;
        long count = 0;
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT), ++count)
          children += Spoken(WindowText(child)) + L"|";
        const std::vector<TCase> cases = {
            {TAsk::Role, kSelf, S_OK, Number(ROLE_SYSTEM_DIALOG)},
            {TAsk::Role, kNoChildId, S_OK, Number(ROLE_SYSTEM_DIALOG)},
            {TAsk::Name, kNoChildId, S_OK, WindowText(dialog)},
            {TAsk::ChildCount, kSelf, S_OK, Number(count)},
            {TAsk::Children, kSelf, S_OK, children},
            {TAsk::Focus, kSelf, S_OK, L"@" + Spoken(WindowText(GetFocus()))},
            {TAsk::Name, count + 1, E_INVALIDARG, L""},
            {TAsk::Location, count + 1, E_INVALIDARG, L""}};
        IAccessible* object = AccessibleOfWindow(dialog);
        ExpectAnswers(object, cases);
        if (object)
          object->Release();
        asked = true;
      },
      true);
  EXPECT_TRUE(asked);
}

// The component list: every row a check box with its name, size and tick;
// the object itself for a missing child id; an error and cleared answers for
// a row that is not there. A tick by Space and one by the reader's default
// action reach the wizard alike.
TEST_F(Win32Accessibility, TheComponentListAnswersForEveryRow) {
  const HWND list = Of(TControl::SelCompLstBx);
  const std::vector<ui::TCheckRow> rows = ComponentRows();
  view.SetCheckRows(TControl::SelCompLstBx, rows);
  view.SetAccessibleName(TControl::SelCompLstBx, "Liste\r&trois");
  view.ShowPage(PageOf(TControl::SelCompLstBx));
  const long count = static_cast<long>(rows.size());
  std::vector<TCase> cases = {{TAsk::ChildCount, kSelf, S_OK, Number(count)},
                              {TAsk::Name, kNoChildId, S_OK, L"Liste trois"},
                              {TAsk::Role, kNoChildId, S_OK, Number(ROLE_SYSTEM_LIST)},
                              {TAsk::Name, count + 1, E_INVALIDARG, L""},
                              {TAsk::Description, count + 1, E_INVALIDARG, L""},
                              {TAsk::State, count + 1, E_INVALIDARG, L""},
                              {TAsk::DefaultAction, count + 1, E_INVALIDARG, L""},
                              {TAsk::Help, count + 1, E_INVALIDARG, L""},
                              {TAsk::Help, -2, E_INVALIDARG, L""},
                              {TAsk::Location, 0x7fff, E_INVALIDARG, L""}};
  for (long row = 0; row < count; ++row) {
    const ui::TCheckRow& data = rows[static_cast<size_t>(row)];
    RECT rect = {};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    cases.push_back({TAsk::Name, row + 1, S_OK, ListText(list, false, static_cast<int>(row))});
    cases.push_back({TAsk::Description, row + 1, S_OK,
                     std::wstring(data.SizeText.begin(), data.SizeText.end())});
    cases.push_back({TAsk::Role, row + 1, S_OK, Number(ROLE_SYSTEM_CHECKBUTTON)});
    cases.push_back({TAsk::State, row + 1, S_OK,
                     Number((data.State ? STATE_SYSTEM_CHECKED : 0) |
                            (data.State == 2 ? STATE_SYSTEM_UNAVAILABLE : 0)),
                     STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE});
    cases.push_back({TAsk::Location, row + 1, S_OK, Screen(list, rect)});
  }
  IAccessible* object = AccessibleOfWindow(list);
  ExpectAnswers(object, cases);

  RunInside([&] {
    view.SetCurrentRow(TControl::SelCompLstBx, 3);
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(Ask(object, TAsk::DoDefaultAction, 5).Result, S_OK);
  });
  EXPECT_EQ(events.UserEvents(), (std::vector<std::string>{"toggle 3", "toggle 4"}));
  object->Release();
}

std::vector<std::pair<DWORD, LONG>> announced;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT)
    announced.push_back({event, child});
}

// A row ticked and a row whose size changed are announced to readers, each
// as its own event for that row; rows set again unchanged announce nothing.
TEST_F(Win32Accessibility, ARowsChangesAreAnnounced) {
  view.SetCheckRows(TControl::SelCompLstBx, ComponentRows());
  std::vector<ui::TCheckRow> ticked = ComponentRows(), resized = ComponentRows();
  ticked[3].State = 1;
  resized[2].SizeText += "0";
  const struct {
    std::vector<ui::TCheckRow> Rows;
    std::vector<std::pair<DWORD, LONG>> Events;
  } cases[] = {{ComponentRows(), {}},
               {ticked, {{EVENT_OBJECT_STATECHANGE, 4}}},
               {resized, {{EVENT_OBJECT_STATECHANGE, 4}, {EVENT_OBJECT_DESCRIPTIONCHANGE, 3}}}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    announced.clear();
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, &Record,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    view.SetCheckRows(TControl::SelCompLstBx, cases[i].Rows);
    // Out-of-context events arrive through the message loop, some time later.
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 2000 &&
           (announced.size() < cases[i].Events.size() || GetTickCount() - start < 100)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    std::sort(announced.begin(), announced.end());
    EXPECT_EQ(announced, cases[i].Events) << i;
  }
}

// A reader acts on the component list only when a person could: the list's
// page shown, no dialog over the wizard, the list enabled. Otherwise the row
// says why, and nothing changes: no tick, no new current row, no focus.
TEST_F(Win32Accessibility, AReaderCannotDoWhatAPersonCannot) {
  const HWND list = Of(TControl::SelCompLstBx);
  const struct {
    bool PageShown, DialogUp, Enabled;
    long Refusal; // the state a row reports; 0: the reader may act
  } cases[] = {{true, false, true, 0},
               {false, false, true, STATE_SYSTEM_INVISIBLE},
               {true, true, true, STATE_SYSTEM_UNAVAILABLE},
               {false, true, true, STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE},
               {true, false, false, STATE_SYSTEM_UNAVAILABLE}};
  const long row = 3; // unticked and changeable in ComponentRows(), not current
  for (const TAsk ask : {TAsk::DoDefaultAction, TAsk::Select, TAsk::TakeFocus})
    for (size_t i = 0; i < std::size(cases); ++i) {
      SCOPED_TRACE(testing::Message() << "ask " << static_cast<int>(ask) << ", case " << i);
      events.Log.clear();
      view.SetCheckRows(TControl::SelCompLstBx, ComponentRows());
      view.SetCurrentRow(TControl::SelCompLstBx, 0);
      view.ShowPage(cases[i].PageShown ? PageOf(TControl::SelCompLstBx)
                                       : PageOf(TControl::DestDirLstBx));
      view.SetEnabled(TControl::SelCompLstBx, cases[i].Enabled);
      HRESULT result = E_UNEXPECTED;
      long state = 0;
      HWND focusAfter = nullptr;
      RunInside(
          [&] {
            if (!cases[i].DialogUp)
              SetFocus(view.Control(TControl::NextBtn));
            IAccessible* object = AccessibleOfWindow(list);
            ASSERT_NE(object, nullptr);
            const std::wstring read = Ask(object, TAsk::State, row + 1).Value;
            state = read.size() > 1 ? std::stol(read.substr(1)) : -1;
            result = Ask(object, ask, row + 1).Result;
            focusAfter = GetFocus();
            object->Release();
          },
          cases[i].DialogUp);
      EXPECT_EQ(state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE), cases[i].Refusal);
      const bool allowed = cases[i].Refusal == 0;
      EXPECT_EQ(SUCCEEDED(result), allowed);
      EXPECT_EQ(events.UserEvents(), ask == TAsk::DoDefaultAction && allowed
                                         ? std::vector<std::string>{"toggle " + std::to_string(row)}
                                         : std::vector<std::string>{});
      EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0),
                ask != TAsk::DoDefaultAction && allowed ? row : 0);
      EXPECT_EQ(focusAfter == list, ask == TAsk::TakeFocus && allowed);
    }
}

TEST(Win32AccessibleObject, AnObjectHeldPastItsWindowAnswersDisconnected) {
  IAccessible* object = nullptr;
  {
    TWizardWindow view;
    object = view.Accessible(TControl::SelCompLstBx);
    ASSERT_NE(object, nullptr);
    object->AddRef();
  }
  for (const TAsk ask : {TAsk::Name, TAsk::ChildCount, TAsk::Location, TAsk::Focus})
    EXPECT_EQ(Ask(object, ask, 1).Result, RPC_E_DISCONNECTED) << static_cast<int>(ask);
  object->Release();
}

} // namespace
