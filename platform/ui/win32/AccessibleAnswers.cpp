// The answers of accessible objects, and the calls they are made with.
#include "platform/ui/win32/AccessibleAnswers.h"

#include "platform/win32/SystemDlls.h"

namespace ui::win32 {

const TAccessibilityCalls& AccessibilityCalls() {
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
    found.AccessibleObjectFromWindow = ProcAddress<decltype(found.AccessibleObjectFromWindow)>(
        oleacc, "AccessibleObjectFromWindow");
    found.SysAllocString = ProcAddress<decltype(found.SysAllocString)>(oleaut32, "SysAllocString");
    found.GetComboBoxInfo = ProcAddress<decltype(found.GetComboBoxInfo)>(
        GetModuleHandleA("user32.dll"), "GetComboBoxInfo");
    return found;
  }();
  return calls;
}

IDispatch* ObjectOfWindow(HWND window) {
  void* object = nullptr;
  if (!AccessibilityCalls().AccessibleObjectFromWindow ||
      FAILED(AccessibilityCalls().AccessibleObjectFromWindow(
          window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &object)))
    return nullptr;
  return static_cast<IAccessible*>(object);
}

void Clear(BSTR* out) {
  if (out)
    *out = nullptr;
}

void Clear(IDispatch** out) {
  if (out)
    *out = nullptr;
}

void Clear(VARIANT* out) {
  if (out) {
    *out = VARIANT{};
    out->vt = VT_EMPTY;
  }
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (!out)
    return E_POINTER;
  *out = nullptr;
  if (text.empty())
    return S_FALSE;
  if (!AccessibilityCalls().SysAllocString)
    return E_OUTOFMEMORY;
  *out = AccessibilityCalls().SysAllocString(text.c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Number(long value, VARIANT* out) {
  if (!out)
    return E_POINTER;
  Clear(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

HRESULT Object(IDispatch* object, VARIANT* out) {
  if (!out) {
    if (object)
      object->Release();
    return E_POINTER;
  }
  Clear(out);
  if (!object)
    return E_FAIL;
  out->vt = VT_DISPATCH;
  out->pdispVal = object;
  return S_OK;
}

HRESULT Nothing(VARIANT* out) {
  if (!out)
    return E_POINTER;
  Clear(out);
  return S_FALSE;
}

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

} // namespace ui::win32
