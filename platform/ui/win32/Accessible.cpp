// A window's accessible object: its own answers where it overrides the
// system's standard proxy, the proxy's elsewhere, and the lists' rows.
// Every answer clears its out value first; a child that is neither the
// object (CHILDID_SELF, or VT_EMPTY as some readers send) nor a row is the
// proxy's to answer, or E_INVALIDARG without one.
#include "platform/ui/win32/Accessible.h"

#include "platform/ui/win32/WideText.h"

#include <utility>

namespace ui::win32 {
namespace {

constexpr int kSelf = -1;
constexpr int kNoChild = -2;

// The object itself, as the proxy is asked about it.
VARIANT SelfId() {
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

} // namespace

TAccessibleObject::TAccessibleObject(HWND window, TAccessibleSpec spec)
    : window_(window), spec_(std::move(spec)),
      items_(window, spec_.Rows == TAccessibleRows::ComboBox) {}

TAccessibleObject::~TAccessibleObject() {
  if (proxy_)
    proxy_->Release();
}

void TAccessibleObject::Disconnect() {
  window_ = nullptr;
  spec_.Rows = TAccessibleRows::None;
  spec_.CheckRows = nullptr;
  spec_.ToggleRow = nullptr;
  if (proxy_)
    proxy_->Release();
  proxy_ = nullptr;
}

LRESULT TAccessibleObject::Answer(WPARAM wParam, LPARAM lParam) {
  // The object ID arrives as a DWORD in lParam.
  if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !window_ ||
      !AccessibilityCalls().LresultFromObject)
    return 0;
  const LRESULT result =
      AccessibilityCalls().LresultFromObject(__uuidof(IAccessible), wParam, this);
  return result > 0 ? result : 0;
}

IAccessible* TAccessibleObject::Proxy() {
  if (!proxyTried_ && window_ && AccessibilityCalls().CreateStdAccessibleObject) {
    proxyTried_ = true;
    void* proxy = nullptr;
    if (SUCCEEDED(AccessibilityCalls().CreateStdAccessibleObject(window_, OBJID_CLIENT,
                                                                 __uuidof(IAccessible), &proxy)))
      proxy_ = static_cast<IAccessible*>(proxy);
  }
  return window_ ? proxy_ : nullptr;
}

int TAccessibleObject::RowCount() const {
  if (spec_.CheckRows)
    return static_cast<int>(spec_.CheckRows->size());
  return HasRows() ? items_.Count() : 0;
}

int TAccessibleObject::RowOf(const VARIANT& child) const {
  if (child.vt == VT_EMPTY || (child.vt == VT_I4 && child.lVal == CHILDID_SELF))
    return kSelf;
  if (child.vt != VT_I4)
    return kNoChild;
  return child.lVal >= 1 && child.lVal <= RowCount() ? static_cast<int>(child.lVal - 1) : kNoChild;
}

bool TAccessibleObject::Actionable() const {
  return IsWindowVisible(window_) && Available(window_);
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

HRESULT TAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info)
    *info = nullptr;
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
  return Proxy() ? Cleared(proxy_->get_accParent(parent), parent) : S_FALSE;
}

HRESULT TAccessibleObject::get_accChildCount(long* count) {
  if (!count)
    return E_POINTER;
  *count = 0;
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (HasRows() || spec_.ControlChildren) {
    *count = HasRows() ? RowCount() : ControlCount(window_);
    return S_OK;
  }
  if (Proxy() && FAILED(proxy_->get_accChildCount(count)))
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
  if (HasRows())
    // The rows are simple elements of this object, not objects of their own.
    return row >= 0 ? S_FALSE : E_INVALIDARG;
  if (spec_.ControlChildren) {
    const HWND control = child.vt == VT_I4 ? ControlAt(window_, child.lVal) : nullptr;
    if (!control)
      return E_INVALIDARG;
    *object = ObjectOfWindow(control);
    return *object ? S_OK : E_FAIL;
  }
  return Proxy() ? Cleared(proxy_->get_accChild(child, object), object) : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accName(VARIANT child, BSTR* name) {
  Clear(name);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return Text(spec_.CheckRows ? WideOf(Row(row).Name) : items_.Text(row), name);
  if (row == kSelf && !spec_.Name.empty())
    return Text(spec_.Name, name);
  if (Proxy())
    return Cleared(proxy_->get_accName(row == kSelf ? SelfId() : child, name), name);
  return row == kSelf ? Text(WithoutAccelerators(WideTextOf(window_)), name) : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accValue(VARIANT child, BSTR* value) {
  Clear(value);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return DISP_E_MEMBERNOTFOUND;
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  // A drop-down box's value is the chosen row, which it shows.
  if (spec_.Rows == TAccessibleRows::ComboBox)
    return Text(items_.Current() >= 0 ? items_.Text(items_.Current()) : L"", value);
  return Proxy() ? Cleared(proxy_->get_accValue(row == kSelf ? SelfId() : child, value), value)
                 : DISP_E_MEMBERNOTFOUND;
}

HRESULT TAccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
  Clear(description);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  // A component's size on disk, as the list shows it on the right.
  if (row >= 0)
    return Text(spec_.CheckRows ? WideOf(Row(row).SizeText) : L"", description);
  if (row == kSelf && !spec_.Description.empty())
    return Text(spec_.Description, description);
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  if (Proxy())
    return Cleared(proxy_->get_accDescription(row == kSelf ? SelfId() : child, description),
                   description);
  return row == kSelf ? S_FALSE : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
  Clear(role);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return Number(spec_.CheckRows ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_LISTITEM, role);
  if (row == kSelf && spec_.Role != 0)
    return Number(spec_.Role, role);
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  if (Proxy())
    return Cleared(proxy_->get_accRole(row == kSelf ? SelfId() : child, role), role);
  return row == kSelf ? Number(ROLE_SYSTEM_CLIENT, role) : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accState(VARIANT child, VARIANT* state) {
  Clear(state);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return Number(items_.State(row, CheckRow(row)), state);
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  if (Proxy())
    return Cleared(proxy_->get_accState(row == kSelf ? SelfId() : child, state), state);
  return row == kSelf ? Number(OwnState(), state) : E_INVALIDARG;
}

HRESULT TAccessibleObject::NoRowText(VARIANT child, BSTR* text,
                                     HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT,
                                                                                   BSTR*)) {
  Clear(text);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return S_FALSE;
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  if (Proxy())
    return Cleared((proxy_->*ask)(row == kSelf ? SelfId() : child, text), text);
  return row == kSelf ? S_FALSE : E_INVALIDARG;
}

HRESULT TAccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
  return NoRowText(child, help, &IAccessible::get_accHelp);
}

HRESULT TAccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  Clear(file);
  if (topic)
    *topic = 0;
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  if (row != kSelf || !Proxy())
    return DISP_E_MEMBERNOTFOUND;
  const HRESULT result = proxy_->get_accHelpTopic(file, SelfId(), topic);
  if (FAILED(result) && topic)
    *topic = 0;
  return Cleared(result, file);
}

HRESULT TAccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return NoRowText(child, shortcut, &IAccessible::get_accKeyboardShortcut);
}

HRESULT TAccessibleObject::get_accFocus(VARIANT* child) {
  Clear(child);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const HWND focus = GetFocus();
  if (focus == window_ && HasRows() && items_.Current() >= 0)
    return Number(items_.Current() + 1, child);
  if (focus == window_)
    return Number(CHILDID_SELF, child);
  if (focus && IsChild(window_, focus) && spec_.ControlChildren) {
    // The focused control's object (a dialog's button), or that of the
    // control holding it.
    HWND control = focus;
    while (GetParent(control) != window_)
      control = GetParent(control);
    return Object(ObjectOfWindow(control), child);
  }
  if (focus && IsChild(window_, focus) && Proxy())
    return Cleared(proxy_->get_accFocus(child), child);
  return Nothing(child);
}

HRESULT TAccessibleObject::get_accSelection(VARIANT* children) {
  Clear(children);
  if (!window_)
    return RPC_E_DISCONNECTED;
  if (!HasRows())
    return Proxy() ? Cleared(proxy_->get_accSelection(children), children) : Nothing(children);
  const int row = items_.Current();
  return row >= 0 ? Number(row + 1, children) : Nothing(children);
}

HRESULT TAccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  Clear(action);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row >= 0)
    return Text(TListItems::Action(CheckRow(row)), action);
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  if (Proxy())
    return Cleared(proxy_->get_accDefaultAction(row == kSelf ? SelfId() : child, action), action);
  return row == kSelf ? S_FALSE : E_INVALIDARG;
}

HRESULT TAccessibleObject::accSelect(long flags, VARIANT child) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  if (HasRows() && !Actionable())
    return E_FAIL;
  if (row < 0)
    return Proxy() ? proxy_->accSelect(flags, row == kSelf ? SelfId() : child)
                   : DISP_E_MEMBERNOTFOUND;
  if (flags & SELFLAG_TAKEFOCUS)
    SetFocus(window_);
  if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS))
    items_.Choose(row);
  return S_OK;
}

HRESULT TAccessibleObject::accLocation(long* left, long* top, long* width, long* height,
                                       VARIANT child) {
  if (!left || !top || !width || !height)
    return E_POINTER;
  *left = *top = *width = *height = 0;
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  RECT rect = {};
  if (row >= 0) {
    if (!items_.Location(row, rect))
      return E_FAIL;
  } else if (row == kNoChild && HasRows()) {
    return E_INVALIDARG;
  } else if (Proxy()) {
    const HRESULT result =
        proxy_->accLocation(left, top, width, height, row == kSelf ? SelfId() : child);
    if (FAILED(result))
      *left = *top = *width = *height = 0;
    return result;
  } else if (row == kSelf) {
    GetClientRect(window_, &rect);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  } else {
    return E_INVALIDARG;
  }
  *left = rect.left;
  *top = rect.top;
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  return S_OK;
}

HRESULT TAccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
  Clear(end);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(start);
  if (!HasRows() ||
      (row == kSelf && direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD))
    return Proxy()
               ? Cleared(proxy_->accNavigate(direction, row == kSelf ? SelfId() : start, end), end)
               : Nothing(end);
  if (row == kNoChild)
    return E_INVALIDARG;
  int next = kNoChild;
  if (row == kSelf)
    next = direction == NAVDIR_FIRSTCHILD ? 0 : RowCount() - 1;
  else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)
    next = row + 1;
  else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)
    next = row - 1;
  return next >= 0 && next < RowCount() ? Number(next + 1, end) : Nothing(end);
}

HRESULT TAccessibleObject::accHitTest(long x, long y, VARIANT* child) {
  Clear(child);
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = HasRows() ? items_.At({x, y}) : -1;
  if (row >= 0)
    return Number(row + 1, child);
  if (Proxy())
    return Cleared(proxy_->accHitTest(x, y, child), child);
  RECT rect = {};
  GetWindowRect(window_, &rect);
  return PtInRect(&rect, {x, y}) ? Number(CHILDID_SELF, child) : Nothing(child);
}

HRESULT TAccessibleObject::accDoDefaultAction(VARIANT child) {
  if (!window_)
    return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == kNoChild && HasRows())
    return E_INVALIDARG;
  if (HasRows() && !Actionable())
    return E_FAIL;
  if (row < 0)
    return Proxy() ? proxy_->accDoDefaultAction(row == kSelf ? SelfId() : child)
                   : DISP_E_MEMBERNOTFOUND;
  if (spec_.CheckRows) {
    if (spec_.ToggleRow)
      spec_.ToggleRow(row);
  } else {
    items_.Choose(row);
  }
  return S_OK;
}

HRESULT TAccessibleObject::put_accName(VARIANT, BSTR) {
  return E_NOTIMPL;
}

HRESULT TAccessibleObject::put_accValue(VARIANT, BSTR) {
  return E_NOTIMPL;
}

} // namespace ui::win32
