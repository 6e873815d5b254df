// Driver commands on the controls of another program's window.
#include "Widgets.h"

#include "platform/ui/win32/Dpi.h"
#include "platform/ui/win32/Layout.h"

#include <commctrl.h>

#include <cstdio>

#include <cwchar>

namespace driver {
namespace {

// A child's rectangle in the client coordinates of `window`.
RECT RectIn(HWND window, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Matches(HWND window, HWND child, const ChildQuery& q) {
  if (q.visible && !IsWindowVisible(child))
    return false;
  if (q.enabled && !IsWindowEnabled(child))
    return false;
  if (q.hasWithin) {
    RECT r = RectIn(window, child);
    if (r.left < q.within.left || r.top < q.within.top || r.right > q.within.right ||
        r.bottom > q.within.bottom)
      return false;
  }
  return MatchesName(child, q.name);
}

bool IsCombo(HWND control) {
  return _wcsicmp(ClassOf(control).c_str(), L"ComboBox") == 0;
}

// A person can use a control only when it and the window it sits in are
// visible and enabled: a modal dialog disables the window beneath it.
bool TakesInput(HWND control) {
  HWND root = GetAncestor(control, GA_ROOT);
  return IsWindowVisible(control) && IsWindowEnabled(control) && IsWindowEnabled(root);
}

LPARAM ClientPoint(int x, int y) {
  return MAKELPARAM(x, y);
}

void PostClick(HWND control, int x, int y) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y));
  PostMessageW(control, WM_LBUTTONUP, 0, ClientPoint(x, y));
}

// The row's top edge in the list's client area, from the first visible row
// and the (fixed) row height; -1 when the row is scrolled out of view.
int RowTop(HWND list, unsigned index, int& height) {
  DWORD_PTR top = 0, h = 0;
  if (!Send(list, LB_GETTOPINDEX, 0, 0, top) || !Send(list, LB_GETITEMHEIGHT, 0, 0, h))
    return -1;
  height = static_cast<int>(h);
  if (index < top)
    return -1;
  RECT client{};
  GetClientRect(list, &client);
  int y = static_cast<int>(index - top) * height;
  return y + height <= client.bottom ? y : -1;
}

} // namespace

int Tree(HWND window) {
  for (HWND child : Descendants(window)) {
    std::wstring text;
    ReadText(child, text);
    RECT r = RectIn(window, child);
    wchar_t head[160];
    std::swprintf(head, 160, L"0x%llx %ls %ls %ld,%ld,%ld,%ld \"",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(child)),
                  ClassOf(child).c_str(), StateOf(child).c_str(), r.left, r.top, r.right - r.left,
                  r.bottom - r.top);
    PrintUtf8(head + text + L"\"");
  }
  return kDone;
}

int LayoutRect(HWND control, int dpi) {
  const int id = GetDlgCtrlID(control);
  for (const ui::win32::TControlLayout& c : ui::win32::ControlLayouts()) {
    if (ui::win32::ControlId(c.Control) != id)
      continue;
    using ui::win32::Scale;
    std::printf("%d,%d,%d,%d\n", Scale(c.X, dpi), Scale(c.Y, dpi), Scale(c.Width, dpi),
                Scale(c.Height, dpi));
    return kDone;
  }
  return Failure("control %d is not in the wizard's layout", id);
}

HWND FindChild(HWND window, const ChildQuery& query) {
  unsigned seen = 0;
  for (HWND child : Descendants(window))
    if (Matches(window, child, query) && seen++ == query.index)
      return child;
  return nullptr;
}

int Texts(HWND window, const ChildQuery& query) {
  for (HWND child : Descendants(window)) {
    std::wstring text;
    if (Matches(window, child, query) && ReadText(child, text) && !text.empty())
      PrintUtf8(text);
  }
  return kDone;
}

int Press(HWND window, const std::vector<std::wstring>& captions, DWORD timeoutMs) {
  std::vector<HWND> buttons;
  for (const std::wstring& caption : captions) {
    ChildQuery q{.name = {.className = L"Button", .caption = caption}, .visible = true};
    HWND button = nullptr;
    WaitFor(timeoutMs, [&] {
      button = FindChild(window, q);
      return button && TakesInput(button);
    });
    if (!button)
      return Failure("no visible button \"%ls\"", caption.c_str());
    // Under Wine BM_CLICK on a disabled button still notifies its parent; a
    // person could not press it, so neither may a test.
    if (!TakesInput(button))
      return Failure("the button \"%ls\" is disabled or under a modal dialog", caption.c_str());
    buttons.push_back(button);
  }
  // Posted: the click may open a modal dialog, and a sent message would only
  // return once that dialog closed.
  for (HWND button : buttons)
    if (!PostMessageW(button, BM_CLICK, 0, 0))
      return kFailed;
  return kDone;
}

int Rows(HWND control) {
  const bool combo = IsCombo(control);
  DWORD_PTR count = 0, current = 0;
  if (!Send(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, count))
    return kFailed;
  if (combo)
    Send(control, CB_GETCURSEL, 0, 0, current);
  for (WPARAM i = 0; i < count; ++i) {
    DWORD_PTR length = 0, copied = 0, data = 0, selected = 0;
    Send(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0, length);
    if (static_cast<LONG_PTR>(length) < 0)
      return kFailed;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    Send(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()),
         copied);
    Send(control, combo ? CB_GETITEMDATA : LB_GETITEMDATA, i, 0, data);
    if (combo)
      selected = static_cast<LONG_PTR>(current) == static_cast<LONG_PTR>(i);
    else
      Send(control, LB_GETSEL, i, 0, selected), selected = static_cast<LONG_PTR>(selected) > 0;
    wchar_t head[64];
    std::swprintf(head, 64, L"%u\t%lld\t%u\t", static_cast<unsigned>(i),
                  static_cast<long long>(data), static_cast<unsigned>(selected));
    PrintUtf8(head + std::wstring(buffer.data()));
  }
  return kDone;
}

int Choose(HWND control, unsigned index, bool mouse) {
  if (!TakesInput(control))
    return Failure("the list is hidden, disabled or under a modal dialog");
  const bool combo = IsCombo(control);
  if (mouse && !combo) {
    int height = 0;
    int top = RowTop(control, index, height);
    if (top < 0)
      return Failure("row %u is not in view", index);
    RECT client{};
    GetClientRect(control, &client);
    PostClick(control, client.right / 2, top + height / 2);
    return kDone;
  }
  DWORD_PTR result = 0;
  Send(control, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0, result);
  if (static_cast<LONG_PTR>(result) == (combo ? CB_ERR : LB_ERR))
    return Failure("no row %u", index);
  WORD code = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
  WPARAM w = MAKEWPARAM(GetDlgCtrlID(control), code);
  return PostMessageW(GetParent(control), WM_COMMAND, w, reinterpret_cast<LPARAM>(control))
             ? kDone
             : kFailed;
}

int Toggle(HWND control, unsigned index) {
  if (!TakesInput(control))
    return Failure("the list is hidden, disabled or under a modal dialog");
  int height = 0;
  int top = RowTop(control, index, height);
  if (top < 0)
    return Failure("row %u is not in view", index);
  PostClick(control, 6, top + height / 2);
  return kDone;
}

int Progress(HWND control) {
  DWORD_PTR position = 0, low = 0, high = 0;
  if (!Send(control, PBM_GETPOS, 0, 0, position) || !Send(control, PBM_GETRANGE, TRUE, 0, low) ||
      !Send(control, PBM_GETRANGE, FALSE, 0, high))
    return kFailed;
  std::printf("%ld %ld %ld\n", static_cast<long>(position), static_cast<long>(low),
              static_cast<long>(high));
  return kDone;
}

int Key(HWND control, const std::wstring& key) {
  unsigned long long vk = 0;
  if (key == L"escape")
    vk = VK_ESCAPE;
  else if (key == L"return")
    vk = VK_RETURN;
  else if (key == L"space")
    vk = VK_SPACE;
  else if (key == L"tab")
    vk = VK_TAB;
  else if (!ParseNumber(key.c_str(), vk))
    return kUsage;
  UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  LPARAM up = down | (1u << 30) | (1u << 31);
  PostMessageW(control, WM_KEYDOWN, static_cast<WPARAM>(vk), down);
  PostMessageW(control, WM_KEYUP, static_cast<WPARAM>(vk), up);
  return kDone;
}

int Focus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
    return kFailed;
  if (!info.hwndFocus) {
    std::printf("none\n");
    return kDone;
  }
  std::wstring text;
  ReadText(info.hwndFocus, text);
  wchar_t head[80];
  std::swprintf(head, 80, L"0x%llx ",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(info.hwndFocus)));
  PrintUtf8(head + ClassOf(info.hwndFocus) + L" \"" + text + L"\"");
  return kDone;
}

} // namespace driver
