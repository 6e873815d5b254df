// A window's accessible object: its own answers where it overrides the
// system's standard proxy, the proxy's elsewhere, and the component list's
// rows as check boxes.
#include "platform/ui/win32/Accessible.h"

#include "platform/ui/win32/WideText.h"
#include "platform/win32/SystemDlls.h"

#include <utility>

namespace ui::win32 {
namespace {

// oleacc.dll and oleaut32.dll are loaded only when a screen reader asks,
// by their full path in the system folder; neither is a load-time import.
struct TAccessibilityCalls {
  LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
  BSTR(WINAPI* SysAllocString)(const OLECHAR*) = nullptr;
};

const TAccessibilityCalls& Calls() {
  static const TAccessibilityCalls calls = [] {
    using platform::win32::LoadSystemDll;
    using platform::win32::ProcAddress;
    TAccessibilityCalls found;
    const HMODULE oleacc = LoadSystemDll("oleacc.dll");
    const HMODULE oleaut32 = LoadSystemDll("oleaut32.dll");
    found.LresultFromObject =
        ProcAddress<decltype(found.LresultFromObject)>(oleacc, "LresultFromObject");
    found.CreateStdAccessibleObject =
        ProcAddress<decltype(found.CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
    found.SysAllocString = ProcAddress<decltype(found.SysAllocString)>(oleaut32, "SysAllocString");
    return found;
  }();
  return calls;
}

constexpr int kSelf = -1;
constexpr int kNoChild = -2;

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (!out)
    return E_POINTER;
  *out = nullptr;
  if (text.empty())
    return S_FALSE;
  if (!Calls().SysAllocString)
    return E_OUTOFMEMORY;
  *out = Calls().SysAllocString(text.c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Number(long value, VARIANT* out) {
  if (!out)
    return E_POINTER;
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

HRESULT Nothing(VARIANT* out) {
  if (!out)
    return E_POINTER;
  out->vt = VT_EMPTY;
  return S_FALSE;
}

} // namespace

std::wstring WithoutAccelerators(const std::wstring& text) {
  std::wstring plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size())
      ++i;
    if (text[i] != L'\r' && text[i] != L'\n')
      plain += text[i];
    else if (!plain.empty() && plain.back() != L' ')
      plain += L' ';
  }
  return plain;
}

TAccessibleObject::TAccessibleObject(HWND window, TAccessibleSpec spec)
    : window_(window), spec_(std::move(spec)) {}

TAccessibleObject::~TAccessibleObject() {
  if (proxy_)
    proxy_->Release();
}

void TAccessibleObject::Disconnect() {
  window_ = nullptr;
  spec_.CheckRows = nullptr;
  spec_.ToggleRow = nullptr;
  if (proxy_)
    proxy_->Release();
  proxy_ = nullptr;
}

LRESULT TAccessibleObject::Answer(WPARAM wParam, LPARAM lParam) {
  // The object ID arrives as a DWORD in lParam.
  if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !window_ ||
      !Calls().LresultFromObject)
    return 0;
  const LRESULT result = Calls().LresultFromObject(__uuidof(IAccessible), wParam, this);
  return result > 0 ? result : 0;
}

IAccessible* TAccessibleObject::Proxy() {
  if (!proxyTried_ && window_ && Calls().CreateStdAccessibleObject) {
    proxyTried_ = true;
    void* proxy = nullptr;
    if (SUCCEEDED(Calls().CreateStdAccessibleObject(window_, OBJID_CLIENT, __uuidof(IAccessible),
                                                    &proxy)))
      proxy_ = static_cast<IAccessible*>(proxy);
  }
  return window_ ? proxy_ : nullptr;
}

int TAccessibleObject::RowCount() const {
  return spec_.CheckRows ? static_cast<int>(spec_.CheckRows->size()) : 0;
}

int TAccessibleObject::RowOf(const VARIANT& child) const {
  if (child.vt != VT_I4)
    return kNoChild;
  if (child.lVal == CHILDID_SELF)
    return kSelf;
  return child.lVal >= 1 && child.lVal <= RowCount() ? static_cast<int>(child.lVal - 1) : kNoChild;
}

long TAccessibleObject::RowState(int row) const {
  long state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  const TCheckRow& data = Row(row);
  if (data.State != 0)
    state |= STATE_SYSTEM_CHECKED;
  // Row 0 is always installed: ticked and dimmed, it cannot be changed.
  if (data.State == 2)
    state |= STATE_SYSTEM_UNAVAILABLE;
  if (SendMessageW(window_, LB_GETCURSEL, 0, 0) == row) {
    state |= STATE_SYSTEM_SELECTED;
    if (GetFocus() == window_)
      state |= STATE_SYSTEM_FOCUSED;
  }
  RECT item = {}, client = {}, both = {};
  GetClientRect(window_, &client);
  if (SendMessageW(window_, LB_GETITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item)) == LB_ERR ||
      !IntersectRect(&both, &item, &client))
    state |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
  return state;
}

long TAccessibleObject::OwnState() const {
  long state = STATE_SYSTEM_FOCUSABLE;
  if (!IsWindowVisible(window_))
    state |= STATE_SYSTEM_INVISIBLE;
  if (!IsWindowEnabled(window_))
    state |= STATE_SYSTEM_UNAVAILABLE;
  if (GetFocus() == window_)
    state |= STATE_SYSTEM_FOCUSED;
  return state;
}

HRESULT TAccessibleObject::QueryInterface(REFIID riid, void** object) {
  if (!object)
    return E_POINTER;
  if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TAccessibleObject::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG TAccessibleObject::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0)
    delete this;
  return static_cast<ULONG>(left);
}

HRESULT TAccessibleObject::GetTypeInfoCount(UINT* count) {
  if (!count)
    return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}

HRESULT TAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT TAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                  UINT*) {
  return E_NOTIMPL;
}

HRESULT TAccessibleObject::get_accParent(IDispatch** parent) {
  if (!parent)
    return E_POINTER;
  *parent = nullptr;
  if (!window_)
    return RPC_E_DISCONNECTED;
  return Proxy() ? proxy_->get_accParent(parent) : S_FALSE;
}

HRESULT TAccessibleObject::get_accChildCount(long* count) {
  if (!count)
    return E_POINTER;
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (spec_.CheckRows) {
    *count = RowCount();
    return S_OK;
  }
  if (Proxy())
    return proxy_->get_accChildCount(count);
  *count = 0;
  return S_OK;
}

HRESULT TAccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
  if (!object)
    return E_POINTER;
  *object = nullptr;
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (spec_.CheckRows)
    // The rows are simple elements of this object, not objects of their own.
    return row >= 0 ? S_FALSE : E_INVALIDARG;
  return Proxy() ? proxy_->get_accChild(child, object) : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accName(VARIANT child, BSTR* name) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return Text(WideOf(Row(row).Name), name);
  if (row == kSelf && !spec_.Name.empty())
    return Text(spec_.Name, name);
  if (Proxy())
    return proxy_->get_accName(child, name);
  return row == kSelf ? Text(WithoutAccelerators(WideTextOf(window_)), name) : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
  if (!value)
    return E_POINTER;
  *value = nullptr;
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return DISP_E_MEMBERNOTFOUND;
  return Proxy() ? proxy_->get_accValue(child, value) : DISP_E_MEMBERNOTFOUND;
}

HRESULT TAccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  // A row's size on disk, as the list shows it on the right.
  if (row >= 0)
    return Text(WideOf(Row(row).SizeText), description);
  if (row == kSelf && !spec_.Description.empty())
    return Text(spec_.Description, description);
  if (Proxy())
    return proxy_->get_accDescription(child, description);
  return Text(L"", description);
}

HRESULT TAccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return Number(ROLE_SYSTEM_CHECKBUTTON, role);
  if (row == kSelf && spec_.Role != 0)
    return Number(spec_.Role, role);
  if (Proxy())
    return proxy_->get_accRole(child, role);
  return row == kSelf ? Number(ROLE_SYSTEM_CLIENT, role) : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return Number(RowState(row), state);
  if (Proxy())
    return proxy_->get_accState(child, state);
  return row == kSelf ? Number(OwnState(), state) : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (RowOf(child) == kSelf && Proxy())
    return proxy_->get_accHelp(child, help);
  return Text(L"", help);
}

HRESULT TAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (RowOf(child) == kSelf && Proxy())
    return proxy_->get_accHelpTopic(file, child, topic);
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (RowOf(child) == kSelf && Proxy())
    return proxy_->get_accKeyboardShortcut(child, shortcut);
  return Text(L"", shortcut);
}

HRESULT TAccessibleObject::get_accFocus(VARIANT* child) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (GetFocus() != window_)
    return Nothing(child);
  const LRESULT row = SendMessageW(window_, LB_GETCURSEL, 0, 0);
  if (spec_.CheckRows && row >= 0 && row < RowCount())
    return Number(static_cast<long>(row + 1), child);
  return Number(CHILDID_SELF, child);
}

HRESULT TAccessibleObject::get_accSelection(VARIANT* children) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (!spec_.CheckRows)
    return Proxy() ? proxy_->get_accSelection(children) : Nothing(children);
  const LRESULT row = SendMessageW(window_, LB_GETCURSEL, 0, 0);
  return row >= 0 && row < RowCount() ? Number(static_cast<long>(row + 1), children)
                                      : Nothing(children);
}

HRESULT TAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (RowOf(child) == kSelf && Proxy())
    return proxy_->get_accDefaultAction(child, action);
  return Text(L"", action);
}

HRESULT TAccessibleObject::accSelect(long flags, VARIANT child) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row < 0)
    return Proxy() ? proxy_->accSelect(flags, child) : DISP_E_MEMBERNOTFOUND;
  if (flags & SELFLAG_TAKEFOCUS)
    SetFocus(window_);
  if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS))
    SendMessageW(window_, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  return S_OK;
}

HRESULT TAccessibleObject::accLocation(long* left, long* top, long* width, long* height,
                                       VARIANT child) {
  if (!left || !top || !width || !height)
    return E_POINTER;
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == kNoChild)
    return E_INVALIDARG;
  RECT rect = {};
  if (row == kSelf) {
    if (Proxy())
      return proxy_->accLocation(left, top, width, height, child);
    GetClientRect(window_, &rect);
  } else if (SendMessageW(window_, LB_GETITEMRECT, static_cast<WPARAM>(row),
                          reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
    return E_FAIL;
  }
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  *left = rect.left;
  *top = rect.top;
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  return S_OK;
}

HRESULT TAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(start);
  if (!spec_.CheckRows ||
      (row == kSelf && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD))
    return Proxy() ? proxy_->accNavigate(direction, start, end) : Nothing(end);
  int next = kNoChild;
  if (row == kSelf)
    next = direction == NAVDIR_FIRSTCHILD ? 0 : RowCount() - 1;
  else if (row >= 0 && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN))
    next = row + 1;
  else if (row >= 0 && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP))
    next = row - 1;
  if (row == kNoChild)
    return E_INVALIDARG;
  return next >= 0 && next < RowCount() ? Number(next + 1, end) : Nothing(end);
}

HRESULT TAccessibleObject::accHitTest(long x, long y, VARIANT* child) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (!spec_.CheckRows && Proxy())
    return proxy_->accHitTest(x, y, child);
  POINT point = {x, y};
  ScreenToClient(window_, &point);
  RECT client = {};
  GetClientRect(window_, &client);
  if (!PtInRect(&client, point))
    return Nothing(child);
  if (spec_.CheckRows) {
    const LRESULT hit = SendMessageW(window_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit) == 0 && LOWORD(hit) < RowCount())
      return Number(LOWORD(hit) + 1, child);
  }
  return Number(CHILDID_SELF, child);
}

HRESULT TAccessibleObject::accDoDefaultAction(VARIANT child) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row < 0)
    return Proxy() ? proxy_->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
  if (spec_.ToggleRow)
    spec_.ToggleRow(row);
  return S_OK;
}

HRESULT TAccessibleObject::put_accName(VARIANT, BSTR) {
  return E_NOTIMPL;
}

HRESULT TAccessibleObject::put_accValue(VARIANT, BSTR) {
  return E_NOTIMPL;
}

} // namespace ui::win32
