// Reads a window's accessible objects as a screen reader does: the object a
// window gives for OBJID_CLIENT (AccessibleObjectFromWindow sends
// WM_GETOBJECT, and takes the system's standard proxy where the window does
// not answer), and each child's name, role, state and description.
#pragma once

#include <oleacc.h>

#include <climits>
#include <string>
#include <vector>

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

// One question a screen reader asks an object about one of its children, and
// the answer as text: texts as they are, numbers as "#n", a child object as
// "@" and its name, a location as "left,top,width,height" in screen
// coordinates, a list of children as their names each ended by "|". An out
// value left set by a call that failed reads "<kept>" (an answer on error
// must clear it).
enum class TAsk {
  Name,
  Description,
  Role,
  State,
  Location,
  DefaultAction,
  DoDefaultAction,
  Select,
  TakeFocus,
  Focus,
  ChildCount,
  Children,
  Help,
  Shortcut
};

struct TAnswer {
  HRESULT Result = E_FAIL;
  std::wstring Value;
};

// The child a question is about; kNoChildId sends VT_EMPTY, as some readers do.
inline constexpr long kNoChildId = LONG_MIN;

inline VARIANT ChildVariant(long id) {
  VARIANT child = {};
  if (id != kNoChildId) {
    child.vt = VT_I4;
    child.lVal = id;
  }
  return child;
}

inline std::wstring VariantText(VARIANT& value);

inline std::wstring ChildrenText(IAccessible* object) {
  long count = 0;
  if (FAILED(object->get_accChildCount(&count)) || count <= 0)
    return L"";
  std::vector<VARIANT> children(static_cast<size_t>(count));
  long got = 0;
  if (FAILED(AccessibleChildren(object, 0, count, children.data(), &got)))
    return L"<failed>";
  std::wstring text;
  for (long i = 0; i < got; ++i) {
    if (children[static_cast<size_t>(i)].vt == VT_I4) {
      BSTR name = nullptr;
      const HRESULT named = object->get_accName(children[static_cast<size_t>(i)], &name);
      text += TakeText(named, name);
    } else {
      text += VariantText(children[static_cast<size_t>(i)]).substr(1);
    }
    text += L"|";
  }
  return text;
}

// Renders and clears a VARIANT answer.
inline std::wstring VariantText(VARIANT& value) {
  std::wstring text;
  if (value.vt == VT_I4)
    text = L"#" + std::to_wstring(value.lVal);
  if (value.vt == VT_DISPATCH && value.pdispVal) {
    IAccessible* child = nullptr;
    text = L"@";
    if (SUCCEEDED(value.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&child)))) {
      BSTR name = nullptr;
      const HRESULT named = child->get_accName(ChildVariant(CHILDID_SELF), &name);
      text += TakeText(named, name);
      child->Release();
    }
  }
  VariantClear(&value);
  return text;
}

inline TAnswer AskText(HRESULT (STDMETHODCALLTYPE IAccessible::*call)(VARIANT, BSTR*),
                       IAccessible* object, VARIANT child) {
  static OLECHAR planted[] = L"planted";
  BSTR text = planted;
  TAnswer answer;
  answer.Result = (object->*call)(child, &text);
  if (FAILED(answer.Result))
    answer.Value = text == nullptr ? L"" : L"<kept>";
  else
    answer.Value = TakeText(answer.Result, text);
  return answer;
}

inline TAnswer AskVariant(IAccessible* object, TAsk ask, VARIANT child) {
  VARIANT value = {};
  value.vt = VT_I4;
  value.lVal = 0x5EED;
  TAnswer answer;
  switch (ask) {
  case TAsk::Role:
    answer.Result = object->get_accRole(child, &value);
    break;
  case TAsk::State:
    answer.Result = object->get_accState(child, &value);
    break;
  default:
    answer.Result = object->get_accFocus(&value);
    break;
  }
  if (FAILED(answer.Result))
    answer.Value = value.vt == VT_EMPTY ? L"" : L"<kept>";
  else
    answer.Value = VariantText(value);
  return answer;
}

inline TAnswer Ask(IAccessible* object, TAsk ask, long childId) {
  const VARIANT child = ChildVariant(childId);
  TAnswer answer;
  switch (ask) {
  case TAsk::Name:
    return AskText(&IAccessible::get_accName, object, child);
  case TAsk::Description:
    return AskText(&IAccessible::get_accDescription, object, child);
  case TAsk::DefaultAction:
    return AskText(&IAccessible::get_accDefaultAction, object, child);
  case TAsk::Help:
    return AskText(&IAccessible::get_accHelp, object, child);
  case TAsk::Shortcut:
    return AskText(&IAccessible::get_accKeyboardShortcut, object, child);
  case TAsk::Role:
  case TAsk::State:
  case TAsk::Focus:
    return AskVariant(object, ask, child);
  case TAsk::Location: {
    long box[4] = {-7, -7, -7, -7};
    answer.Result = object->accLocation(&box[0], &box[1], &box[2], &box[3], child);
    if (FAILED(answer.Result))
      answer.Value = box[0] || box[1] || box[2] || box[3] ? L"<kept>" : L"";
    else
      answer.Value = std::to_wstring(box[0]) + L"," + std::to_wstring(box[1]) + L"," +
                     std::to_wstring(box[2]) + L"," + std::to_wstring(box[3]);
    return answer;
  }
  case TAsk::DoDefaultAction:
    answer.Result = object->accDoDefaultAction(child);
    return answer;
  case TAsk::Select:
    answer.Result = object->accSelect(SELFLAG_TAKESELECTION, child);
    return answer;
  case TAsk::TakeFocus:
    answer.Result = object->accSelect(SELFLAG_TAKEFOCUS, child);
    return answer;
  case TAsk::ChildCount: {
    long count = -7;
    answer.Result = object->get_accChildCount(&count);
    answer.Value = L"#" + std::to_wstring(count);
    return answer;
  }
  case TAsk::Children:
    answer.Result = S_OK;
    answer.Value = ChildrenText(object);
    return answer;
  }
  return answer;
}
