// The answers an accessible object gives a screen reader: texts as BSTRs,
// numbers and children as VARIANTs, every out value cleared before it is
// answered, so that an error leaves nothing behind; and the calls of oleacc
// and oleaut32, looked up when a reader first asks.
#pragma once

#include "platform/win32/WindowsSupport.h"

#include <oleacc.h>

#include <string>

namespace ui::win32 {

// oleacc.dll and oleaut32.dll are loaded only when a screen reader asks, by
// their full path in the system folder; neither is a load-time import.
struct TAccessibilityCalls {
  LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
  HRESULT(WINAPI* AccessibleObjectFromWindow)(HWND, DWORD, REFIID, void**) = nullptr;
  BSTR(WINAPI* SysAllocString)(const OLECHAR*) = nullptr;
  // user32.dll (Windows 98 and 2000, where CB_GETCOMBOBOXINFO is not yet
  // understood): a combo box's field and list.
  BOOL(WINAPI* GetComboBoxInfo)(HWND, COMBOBOXINFO*) = nullptr;
};

const TAccessibilityCalls& AccessibilityCalls();

// Empty out values: a null text or object, a VT_EMPTY variant.
void Clear(BSTR* out);
void Clear(IDispatch** out);
void Clear(VARIANT* out);

// An answer from elsewhere (the system's proxy), its out value cleared when
// it failed.
template <typename T> HRESULT Cleared(HRESULT result, T* out) {
  if (FAILED(result) && out)
    Clear(out);
  return result;
}

// The object a window gives screen readers for its client area (its own, or
// the system's proxy), with a reference for the caller; null when none.
IDispatch* ObjectOfWindow(HWND window);

// A text answer; S_FALSE and a null text when it is empty.
HRESULT Text(const std::wstring& text, BSTR* out);
HRESULT Number(long value, VARIANT* out);
// A child object (the caller's reference passes to the asker); E_FAIL for
// none.
HRESULT Object(IDispatch* object, VARIANT* out);
// No child: S_FALSE and VT_EMPTY.
HRESULT Nothing(VARIANT* out);

// Screen readers' names carry no accelerator marks: "&Dossier" reads
// "Dossier", "&&" reads "&".
std::wstring WithoutAccelerators(const std::wstring& text);

} // namespace ui::win32
