// What screen readers are told of a window beyond what the system's standard
// proxy knows: a control's accessible object (MSAA IAccessible), answered to
// WM_GETOBJECT for OBJID_CLIENT. It asks the standard proxy of the window
// (oleacc's CreateStdAccessibleObject, looked up at run time) for everything
// it does not override, and stands on its own where the system has no proxy
// for the window's class.
// Overrides: the name (a list without a label of its own), the role and the
// description (the message dialog: a dialog whose text is read), the rows of
// the folder list and the drive box as list items (and the drive box's value,
// the drive it shows), the rows of the component list as check boxes with
// their names, sizes and checked, unchecked or unavailable state, and the
// dialog's controls as its children, with the focus on the focused one.
// A reader acts on a list only when a person could: the list shown, enabled,
// and under no modal dialog.
#pragma once

#include "platform/ui/View.h"
#include "platform/ui/win32/AccessibleAnswers.h"
#include "platform/ui/win32/AccessibleItems.h"

#include <functional>
#include <string>
#include <vector>

namespace ui::win32 {

// Which rows of the window are its children.
enum class TAccessibleRows : uint8_t { None, ListBox, ComboBox };

struct TAccessibleSpec {
  std::wstring Name;        // empty: the standard proxy's
  long Role = 0;            // 0: the standard proxy's (ROLE_SYSTEM_CLIENT without one)
  std::wstring Description; // empty: the standard proxy's
  TAccessibleRows Rows = TAccessibleRows::None;
  // The window's controls are its children, each the control's own object
  // (the message dialog: Wine's proxy names none of them).
  bool ControlChildren = false;
  // With ListBox: the rows are these check boxes, owned by the window.
  const std::vector<TCheckRow>* CheckRows = nullptr;
  // Ticks or unticks a row as a press of Space on it would.
  std::function<void(int row)> ToggleRow;
};

class TAccessibleObject final : public IAccessible {
public:
  // The object starts with one reference, the caller's.
  TAccessibleObject(HWND window, TAccessibleSpec spec);
  TAccessibleObject(const TAccessibleObject&) = delete;
  TAccessibleObject& operator=(const TAccessibleObject&) = delete;

  void SetName(const std::wstring& name) { spec_.Name = name; }
  // The window is going: every later call answers "disconnected", whoever
  // still holds a reference (a screen reader in another process may).
  void Disconnect();
  // The answer to WM_GETOBJECT: the object marshalled for the asker, or 0
  // when the object ID is not OBJID_CLIENT or the system cannot marshal it
  // (the object model must be initialised on the window's thread), and the
  // window's own procedure answers.
  LRESULT Answer(WPARAM wParam, LPARAM lParam);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: no type information; clients use the IAccessible methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
  ~TAccessibleObject();
  // The standard proxy of the window's client area, made on first use; null
  // where the system has none for its class.
  IAccessible* Proxy();
  bool HasRows() const { return spec_.Rows != TAccessibleRows::None; }
  // -1: the object itself (CHILDID_SELF or VT_EMPTY); a row index; -2: no
  // such row (maybe a child of the standard proxy's).
  int RowOf(const VARIANT& child) const;
  int RowCount() const;
  const TCheckRow& Row(int row) const { return (*spec_.CheckRows)[static_cast<size_t>(row)]; }
  // The row's check box; null in a list of another kind.
  const TCheckRow* CheckRow(int row) const { return spec_.CheckRows ? &Row(row) : nullptr; }
  long OwnState() const;
  // What a person could do to the window now: it is shown and available.
  bool Actionable() const;
  // A text that rows never have (help, keyboard shortcut): S_FALSE for a
  // row, the proxy's answer (through ask) for the object itself.
  HRESULT NoRowText(VARIANT child, BSTR* text,
                    HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*));

  LONG references_ = 1;
  HWND window_;
  TAccessibleSpec spec_;
  TListItems items_;
  IAccessible* proxy_ = nullptr;
  bool proxyTried_ = false;
};

} // namespace ui::win32
