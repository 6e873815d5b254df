// Reads a window's accessible objects as a screen reader does: the object a
// window gives for OBJID_CLIENT (AccessibleObjectFromWindow sends
// WM_GETOBJECT, and takes the system's standard proxy where the window does
// not answer), and each child's name, role, state and description.
#pragma once

#include <oleacc.h>

#include <algorithm>
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
// "@" and its name, a location as "left,top,width,height" on the screen, the
// children as their names each ended by "|". An out value that a failed call
// left set reads "<kept>": an answer on error must clear it.
enum class TAsk {
  Name,
  Value,
  Description,
  Role,
  State,
  Location,
  DefaultAction,
  Help,
  Focus,
  ChildCount,
  Children,
  DoDefaultAction,
  Select,
  TakeFocus
};

struct TAnswer {
  HRESULT Result = E_FAIL;
  std::wstring Value;
};

// kNoChildId sends VT_EMPTY, as some readers do for the object itself.
inline constexpr long kNoChildId = LONG_MIN;

inline VARIANT ChildVariant(long id) {
  VARIANT child = {};
  child.vt = id == kNoChildId ? VT_EMPTY : VT_I4;
  child.lVal = id == kNoChildId ? 0 : id;
  return child;
}

inline std::wstring NameOf(IAccessible* object, const VARIANT& child) {
  BSTR name = nullptr;
  const HRESULT named = object->get_accName(child, &name);
  return TakeText(named, name);
}

// Renders and clears a VARIANT answer; children are named by their parent.
inline std::wstring VariantText(VARIANT& value, IAccessible* parent = nullptr) {
  std::wstring text;
  IAccessible* child = nullptr;
  if (value.vt == VT_I4)
    text = parent ? NameOf(parent, value) : L"#" + std::to_wstring(value.lVal);
  else if (value.vt == VT_DISPATCH && value.pdispVal &&
           SUCCEEDED(value.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&child)))) {
    text = (parent ? L"" : L"@") + NameOf(child, ChildVariant(CHILDID_SELF));
    child->Release();
  }
  VariantClear(&value);
  return text;
}

inline std::wstring ChildrenText(IAccessible* object) {
  long count = 0, got = 0;
  object->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<size_t>(std::max(count, 0L)));
  if (FAILED(AccessibleChildren(object, 0, count, children.data(), &got)))
    return L"<failed>";
  std::wstring text;
  for (long i = 0; i < got; ++i)
    text += VariantText(children[static_cast<size_t>(i)], object) + L"|";
  return text;
}

inline TAnswer Ask(IAccessible* object, TAsk ask, long childId) {
  const VARIANT child = ChildVariant(childId);
  static OLECHAR planted[] = L"planted";
  BSTR text = planted;
  VARIANT value = {};
  value.vt = VT_I4;
  long box[4] = {-7, -7, -7, -7};
  TAnswer answer;
  switch (ask) {
  case TAsk::Name:
    answer.Result = object->get_accName(child, &text);
    break;
  case TAsk::Value:
    answer.Result = object->get_accValue(child, &text);
    break;
  case TAsk::Description:
    answer.Result = object->get_accDescription(child, &text);
    break;
  case TAsk::DefaultAction:
    answer.Result = object->get_accDefaultAction(child, &text);
    break;
  case TAsk::Help:
    answer.Result = object->get_accHelp(child, &text);
    break;
  case TAsk::Role:
    answer.Result = object->get_accRole(child, &value);
    return {answer.Result,
            FAILED(answer.Result) && value.vt != VT_EMPTY ? L"<kept>" : VariantText(value)};
  case TAsk::State:
    answer.Result = object->get_accState(child, &value);
    return {answer.Result,
            FAILED(answer.Result) && value.vt != VT_EMPTY ? L"<kept>" : VariantText(value)};
  case TAsk::Focus:
    answer.Result = object->get_accFocus(&value);
    return {answer.Result,
            FAILED(answer.Result) && value.vt != VT_EMPTY ? L"<kept>" : VariantText(value)};
  case TAsk::Location:
    answer.Result = object->accLocation(&box[0], &box[1], &box[2], &box[3], child);
    if (SUCCEEDED(answer.Result) || box[0] || box[1] || box[2] || box[3])
      answer.Value = SUCCEEDED(answer.Result)
                         ? std::to_wstring(box[0]) + L"," + std::to_wstring(box[1]) + L"," +
                               std::to_wstring(box[2]) + L"," + std::to_wstring(box[3])
                         : L"<kept>";
    return answer;
  case TAsk::ChildCount:
    answer.Result = object->get_accChildCount(&box[0]);
    return {answer.Result, L"#" + std::to_wstring(box[0])};
  case TAsk::Children:
    return {S_OK, ChildrenText(object)};
  case TAsk::DoDefaultAction:
    return {object->accDoDefaultAction(child), L""};
  case TAsk::Select:
    return {object->accSelect(SELFLAG_TAKESELECTION, child), L""};
  case TAsk::TakeFocus:
    return {object->accSelect(SELFLAG_TAKEFOCUS, child), L""};
  }
  if (FAILED(answer.Result))
    answer.Value = text ? L"<kept>" : L"";
  else
    answer.Value = TakeText(answer.Result, text);
  return answer;
}
