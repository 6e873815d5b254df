// The rows of the wizard's lists as a screen reader's children.
#include "platform/ui/win32/AccessibleItems.h"

#include "platform/ui/win32/AccessibleAnswers.h"

namespace ui::win32 {
namespace {

bool ComboInfo(HWND box, COMBOBOXINFO& info) {
  info = {};
  info.cbSize = sizeof info;
  if (AccessibilityCalls().GetComboBoxInfo)
    return AccessibilityCalls().GetComboBoxInfo(box, &info) != FALSE;
  return SendMessageW(box, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

bool ItemRect(HWND list, int row, RECT& rect) {
  return list && SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                              reinterpret_cast<LPARAM>(&rect)) != LB_ERR;
}

} // namespace

int TListItems::Count() const {
  const LRESULT count = SendMessageW(window_, combo_ ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<int>(count) : 0;
}

std::wstring TListItems::Text(int row) const {
  const auto index = static_cast<WPARAM>(row);
  const LRESULT length = SendMessageW(window_, combo_ ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
  if (length <= 0)
    return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(window_, combo_ ? CB_GETLBTEXT : LB_GETTEXT, index,
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

int TListItems::Current() const {
  const LRESULT row = SendMessageW(window_, combo_ ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  return row >= 0 && row < Count() ? static_cast<int>(row) : -1;
}

HWND TListItems::RowsWindow() const {
  COMBOBOXINFO info;
  if (!combo_)
    return window_;
  return ComboInfo(window_, info) ? info.hwndList : nullptr;
}

bool TListItems::Dropped() const {
  return combo_ && SendMessageW(window_, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

bool TListItems::Location(int row, RECT& screen) const {
  COMBOBOXINFO info;
  HWND owner = window_;
  if (combo_ && !Dropped() && row == Current() && ComboInfo(window_, info))
    screen = info.rcItem;
  else if (!ItemRect(owner = RowsWindow(), row, screen))
    return false;
  MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&screen), 2);
  return true;
}

bool TListItems::Shown(int row) const {
  if (!IsWindowVisible(window_))
    return false;
  if (combo_ && !Dropped())
    return row == Current();
  const HWND list = RowsWindow();
  RECT item = {}, client = {}, both = {};
  GetClientRect(list, &client);
  return ItemRect(list, row, item) && IntersectRect(&both, &item, &client);
}

int TListItems::At(POINT screen) const {
  const HWND list = combo_ && !Dropped() ? nullptr : RowsWindow();
  RECT client = {};
  if (!list || !ScreenToClient(list, &screen) || !GetClientRect(list, &client) ||
      !PtInRect(&client, screen))
    return -1;
  const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(screen.x, screen.y));
  return HIWORD(hit) == 0 && LOWORD(hit) < Count() ? LOWORD(hit) : -1;
}

void TListItems::Choose(int row) const {
  SendMessageW(window_, combo_ ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  const auto id = static_cast<WORD>(GetWindowLongPtrW(window_, GWLP_ID));
  SendMessageW(GetParent(window_), WM_COMMAND,
               MAKEWPARAM(id, combo_ ? CBN_SELCHANGE : LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(window_));
}

long TListItems::State(int row, const TCheckRow* check) const {
  long state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  if (Current() == row) {
    state |= STATE_SYSTEM_SELECTED;
    if (GetFocus() == window_)
      state |= STATE_SYSTEM_FOCUSED;
  }
  if (!Shown(row))
    state |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
  // Row 0 of the components is always installed: ticked and dimmed, it
  // cannot be changed.
  if (!Available(window_) || (check && check->State == 2))
    state |= STATE_SYSTEM_UNAVAILABLE;
  if (check && check->State != 0)
    state |= STATE_SYSTEM_CHECKED;
  return state;
}

std::wstring TListItems::Action(const TCheckRow* check) {
  if (!check)
    return L"S\u00E9lectionner";
  return check->State == 0 ? L"Cocher" : L"D\u00E9cocher";
}

HWND ControlAt(HWND window, long index) {
  HWND control = GetWindow(window, GW_CHILD);
  for (long i = 1; control && i < index; ++i)
    control = GetWindow(control, GW_HWNDNEXT);
  return index >= 1 ? control : nullptr;
}

long ControlCount(HWND window) {
  long count = 0;
  for (HWND control = GetWindow(window, GW_CHILD); control;
       control = GetWindow(control, GW_HWNDNEXT))
    ++count;
  return count;
}

bool Available(HWND window) {
  for (HWND w = window; w;
       w = (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
    if (!IsWindowEnabled(w))
      return false;
  return true;
}

} // namespace ui::win32
