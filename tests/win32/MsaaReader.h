// Reads a window's accessible objects as a screen reader does: the object a
// window gives for OBJID_CLIENT (AccessibleObjectFromWindow sends
// WM_GETOBJECT, and takes the system's standard proxy where the window does
// not answer), and each child's name, role, state and description.
#pragma once

#include <oleacc.h>

#include <string>

// The object model on the test's thread, as the program starts it on its
// window's thread: an object is marshalled for a client only there.
struct TObjectModel {
  TObjectModel() { OleInitialize(nullptr); }
  ~TObjectModel() { OleUninitialize(); }
  TObjectModel(const TObjectModel&) = delete;
  TObjectModel& operator=(const TObjectModel&) = delete;
};

struct TAccessibleRead {
  std::wstring Name;
  long Role = 0;
  long State = 0;
  std::wstring Description;
  HRESULT NameResult = E_FAIL;
};

// The window's object as a screen reader gets it, with a reference for the
// caller; null when none.
inline IAccessible* AccessibleOfWindow(HWND window) {
  void* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible), &object)))
    return nullptr;
  return static_cast<IAccessible*>(object);
}

inline std::wstring TakeText(HRESULT result, BSTR text) {
  std::wstring value = SUCCEEDED(result) && text ? std::wstring(text) : std::wstring();
  SysFreeString(text);
  return value;
}

inline TAccessibleRead ReadAccessible(IAccessible* object, long childId) {
  TAccessibleRead read;
  VARIANT child = {};
  child.vt = VT_I4;
  child.lVal = childId;
  BSTR text = nullptr;
  read.NameResult = object->get_accName(child, &text);
  read.Name = TakeText(read.NameResult, text);
  text = nullptr;
  const HRESULT described = object->get_accDescription(child, &text);
  read.Description = TakeText(described, text);
  VARIANT value = {};
  if (SUCCEEDED(object->get_accRole(child, &value)) && value.vt == VT_I4)
    read.Role = value.lVal;
  value = {};
  if (SUCCEEDED(object->get_accState(child, &value)) && value.vt == VT_I4)
    read.State = value.lVal;
  return read;
}
