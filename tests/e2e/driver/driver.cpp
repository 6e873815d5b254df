// The end-to-end tests' hands and eyes: a console program, run in the same Wine
// prefix and desktop as the setup program, that finds its windows and reads and
// presses their controls through window messages, one command per run.
//
// Text crosses in UTF-16 (the system converts the setup program's cp1252 text)
// and is printed as UTF-8, so a test compares "é" exactly and cannot mistake
// mis-encoded text for the right one. Exit codes: 0 done, 1 not found, timed out
// or refused, 2 wrong usage.
#include "Machine.h"
#include "Support.h"
#include "Widgets.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using namespace driver;

const char kUsageText[] =
    "usage: driver COMMAND ...\n"
    "  list                                 visible top-level windows\n"
    "  find [FILTERS] [--timeout MS]        wait for a top-level window, print its handle\n"
    "     FILTERS: --caption TEXT  --caption-has TEXT  --class NAME  --not-class NAME\n"
    "              --exe NAME  --owner HWND  --hidden (also hidden windows)\n"
    "  wait-gone HWND [--timeout MS]        wait until the window is destroyed\n"
    "  wait-exit --exe NAME [--timeout MS]  wait until those processes end, print exit codes\n"
    "  caption HWND                         the window's text\n"
    "  controls HWND                        every descendant: id class state \"text\"\n"
    "  text HWND ID                         a control's text\n"
    "  wait-text HWND ID TEXT [--timeout MS] wait until the control's text contains TEXT\n"
    "  state HWND [ID]                      visible|hidden enabled|disabled\n"
    "  wait-state HWND ID STATE [--timeout MS]  STATE: visible hidden enabled disabled\n"
    "  checked HWND ID                      0, 1 or 2 (BM_GETCHECK)\n"
    "  wait-checked HWND ID N [--timeout MS] wait until BM_GETCHECK gives N\n"
    "  items HWND ID                        a list or combo box's items, one a line\n"
    "  set-text HWND ID TEXT                WM_SETTEXT\n"
    "  click HWND ID                        BM_CLICK, posted; refused when hidden or disabled\n"
    "  close HWND                           post WM_CLOSE\n"
    "  icon-group FILE [ID]                 images of an icon group resource: WxH bits\n"
    "  resource FILE TYPE NAME              a resource's size and languages (#N for numbers)\n"
    "Controls found by class and caption (ID \".\" above means HWND itself):\n"
    "  tree HWND                            every descendant: handle class state x,y,w,h \"text\"\n"
    "  layout CONTROL DPI                   the wizard layout's x,y,w,h of the control at DPI\n"
    "  child HWND [CHILD] [--timeout MS]    wait for a matching descendant, print its handle\n"
    "  texts HWND [CHILD]                   the non-empty texts of the matching descendants\n"
    "     CHILD: --class NAME  --caption TEXT  --caption-has TEXT  --visible  --enabled\n"
    "            --within L,T,R,B (client coordinates of HWND)  --index N (N-th match)\n"
    "  press HWND CAPTION... [--timeout MS] wait until the visible Buttons CAPTION take input,\n"
    "                                       post BM_CLICK to each (no wait without --timeout)\n"
    "  rows CONTROL                         list or combo rows: index data selected text\n"
    "  choose CONTROL ROW [--mouse]         select a row and notify the parent, or click it\n"
    "  toggle CONTROL ROW                   click the check strip of a check-list row\n"
    "  progress CONTROL                     a progress bar's position, low and high\n"
    "  wait-progress CONTROL --above N [--timeout MS]\n"
    "  key CONTROL KEY                      post a key: escape return space tab or a VK code\n"
    "  focus HWND                           the control with the focus in HWND's thread\n"
    "The machine:\n"
    "  hold FILE SIGNAL [--timeout MS]      keep FILE open unshared until SIGNAL exists\n"
    "  drive-add LETTER UNIXDIR             plug a removable drive (Wine's mount manager)\n"
    "  drive-remove LETTER                  unplug it\n"
    "  drives                               every drive letter and its type\n"
    "  cmdline --exe NAME [--timeout MS]    the command line of a running process\n"
    "  freeze HWND / thaw HWND              suspend / resume every thread of the window's\n"
    "                                       process but the window's own; prints how many,\n"
    "                                       fails when there was none\n"
    "Commands may be chained in one run with \";;\" between them; the first failure stops.\n"
    "  serve                                read tab-separated command lines from standard input,\n"
    "                                       each answered by its output and \"\\x1e\" + exit "
    "code\n";

// The first descendant (pages nest their controls) with the given ID. A
// message box's text control is 0xFFFF in its template, -1 once widened, so
// only the low 16 bits are compared when no exact match exists.
HWND FindControl(HWND parent, int id) {
  const std::vector<HWND> all = Descendants(parent);
  for (HWND child : all)
    if (GetDlgCtrlID(child) == id)
      return child;
  for (HWND child : all)
    if ((GetDlgCtrlID(child) & 0xFFFF) == (id & 0xFFFF))
      return child;
  return nullptr;
}

HWND ControlArg(const wchar_t* windowArg, const wchar_t* idArg) {
  HWND window = ParseWindow(windowArg);
  unsigned long long id = 0;
  if (!window) {
    std::fprintf(stderr, "driver: no such window\n");
    return nullptr;
  }
  if (std::wcscmp(idArg, L".") == 0)
    return window;
  if (!ParseNumber(idArg, id)) {
    std::fprintf(stderr, "driver: bad control ID\n");
    return nullptr;
  }
  HWND control = FindControl(window, static_cast<int>(id));
  if (!control)
    std::fprintf(stderr, "driver: no control with ID %llu\n", id);
  return control;
}

struct Filters {
  bool hasCaption = false;
  std::wstring caption;
  bool hasCaptionPart = false;
  std::wstring captionPart;
  bool hasClass = false;
  std::wstring className;
  bool hasNotClass = false;
  std::wstring notClassName;
  bool hasExe = false;
  std::wstring exe;
  HWND owner = nullptr;
  bool hidden = false;
  DWORD timeoutMs = kDefaultTimeoutMs;
};

struct Options {
  Filters filters;
  ChildQuery child;
  bool timeoutGiven = false;
  bool mouse = false;
  unsigned long long above = 0;
  std::vector<std::wstring> positional;
  bool ok = true;
};

bool ParseRect(const wchar_t* s, RECT& r) {
  return std::swscanf(s, L"%ld,%ld,%ld,%ld", &r.left, &r.top, &r.right, &r.bottom) == 4;
}

// The descendant filters share --class and the caption options with the
// top-level ones.
void CompleteChildQuery(Options& o) {
  o.child.hasClass = o.filters.hasClass;
  o.child.className = o.filters.className;
  o.child.hasCaption = o.filters.hasCaption;
  o.child.caption = o.filters.caption;
  o.child.hasCaptionPart = o.filters.hasCaptionPart;
  o.child.captionPart = o.filters.captionPart;
}

Options ParseOptions(int argc, wchar_t** argv, int first) {
  Options o;
  for (int i = first; i < argc; ++i) {
    std::wstring a = argv[i];
    auto value = [&]() -> const wchar_t* {
      if (i + 1 >= argc) {
        o.ok = false;
        return L"";
      }
      return argv[++i];
    };
    unsigned long long n = 0;
    if (a == L"--caption") {
      o.filters.hasCaption = true;
      o.filters.caption = value();
    } else if (a == L"--caption-has") {
      o.filters.hasCaptionPart = true;
      o.filters.captionPart = value();
    } else if (a == L"--class") {
      o.filters.hasClass = true;
      o.filters.className = value();
    } else if (a == L"--not-class") {
      o.filters.hasNotClass = true;
      o.filters.notClassName = value();
    } else if (a == L"--exe") {
      o.filters.hasExe = true;
      o.filters.exe = value();
    } else if (a == L"--owner") {
      o.filters.owner = ParseWindow(value());
      if (!o.filters.owner)
        o.ok = false;
    } else if (a == L"--hidden") {
      o.filters.hidden = true;
    } else if (a == L"--visible") {
      o.child.visible = true;
    } else if (a == L"--enabled") {
      o.child.enabled = true;
    } else if (a == L"--mouse") {
      o.mouse = true;
    } else if (a == L"--within") {
      o.child.hasWithin = ParseRect(value(), o.child.within);
      if (!o.child.hasWithin)
        o.ok = false;
    } else if (a == L"--index") {
      if (!ParseNumber(value(), n))
        o.ok = false;
      o.child.index = static_cast<unsigned>(n);
    } else if (a == L"--above") {
      if (!ParseNumber(value(), o.above))
        o.ok = false;
    } else if (a == L"--timeout") {
      o.timeoutGiven = true;
      if (!ParseNumber(value(), n))
        o.ok = false;
      o.filters.timeoutMs = static_cast<DWORD>(n);
    } else {
      o.positional.push_back(a);
    }
  }
  CompleteChildQuery(o);
  return o;
}

struct WindowSearch {
  const Filters* filters;
  std::vector<DWORD> pids;
};

bool Matches(HWND hwnd, const WindowSearch& s) {
  const Filters& f = *s.filters;
  if (!f.hidden && !IsWindowVisible(hwnd))
    return false;
  if (f.hasClass && ClassOf(hwnd) != f.className)
    return false;
  if (f.hasNotClass && ClassOf(hwnd) == f.notClassName)
    return false;
  if (f.owner && GetWindow(hwnd, GW_OWNER) != f.owner)
    return false;
  if (f.hasExe) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    bool ours = false;
    for (DWORD p : s.pids)
      ours = ours || p == pid;
    if (!ours)
      return false;
  }
  if (f.hasCaption || f.hasCaptionPart) {
    std::wstring caption;
    if (!ReadText(hwnd, caption))
      return false;
    if (f.hasCaption && caption != f.caption)
      return false;
    if (f.hasCaptionPart && caption.find(f.captionPart) == std::wstring::npos)
      return false;
  }
  return true;
}

HWND FindTopLevel(const Filters& filters) {
  WindowSearch search{&filters, {}};
  if (filters.hasExe) {
    search.pids = ProcessIdsOf(filters.exe);
    if (search.pids.empty())
      return nullptr;
  }
  for (HWND hwnd : TopLevelWindows())
    if (Matches(hwnd, search))
      return hwnd;
  return nullptr;
}

int List() {
  for (HWND hwnd : TopLevelWindows()) {
    if (!IsWindowVisible(hwnd))
      continue;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    std::wstring caption;
    ReadText(hwnd, caption);
    std::printf(
        "0x%llx pid=%lu owner=0x%llx ",
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)), pid,
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetWindow(hwnd, GW_OWNER))));
    PrintUtf8(ClassOf(hwnd) + L" \"" + caption + L"\"");
  }
  return 0;
}

int Controls(HWND window) {
  for (HWND child : Descendants(window)) {
    std::wstring text;
    ReadText(child, text);
    std::printf("%d ", GetDlgCtrlID(child));
    PrintUtf8(ClassOf(child) + L" " + StateOf(child) + L" \"" + text + L"\"");
  }
  return 0;
}

int Items(HWND control) {
  std::wstring cls = ClassOf(control);
  bool combo = _wcsicmp(cls.c_str(), L"ComboBox") == 0;
  UINT getCount = combo ? CB_GETCOUNT : LB_GETCOUNT;
  UINT getLength = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(control, getCount, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &count))
    return kFailed;
  for (WPARAM i = 0; i < count; ++i) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, getLength, i, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length);
    if (static_cast<LONG_PTR>(length) < 0)
      return kFailed;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, getText, i, reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied);
    PrintUtf8(std::wstring(buffer.data()));
  }
  return 0;
}

int WaitExit(const Filters& f) {
  std::vector<HANDLE> handles;
  for (DWORD pid : ProcessIdsOf(f.exe)) {
    HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (h)
      handles.push_back(h);
  }
  int result = 0;
  if (!handles.empty()) {
    DWORD r = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE,
                                     f.timeoutMs);
    if (r == WAIT_TIMEOUT || r == WAIT_FAILED) {
      std::fprintf(stderr, "driver: processes still running\n");
      result = kFailed;
    }
  }
  for (HANDLE h : handles) {
    DWORD code = 0;
    if (result == 0 && GetExitCodeProcess(h, &code))
      std::printf("%lu\n", code);
    CloseHandle(h);
  }
  return result;
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInRes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
#pragma pack(pop)

// Runs read(module) on file loaded as resources only; kFailed when it cannot
// be opened.
template <typename Read> int WithResourceModule(const std::wstring& file, Read read) {
  HMODULE module = LoadLibraryExW(file.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) {
    std::fprintf(stderr, "driver: cannot open the file\n");
    return kFailed;
  }
  const int result = read(module);
  FreeLibrary(module);
  return result;
}

int PrintIconGroup(HMODULE module, unsigned long long id) {
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
  HGLOBAL data = res ? LoadResource(module, res) : nullptr;
  const auto* header = data ? static_cast<const GroupIconHeader*>(LockResource(data)) : nullptr;
  DWORD size = res ? SizeofResource(module, res) : 0;
  if (header && size >= sizeof(GroupIconHeader) &&
      size >= sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry)) {
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    for (WORD i = 0; i < header->count; ++i) {
      int w = entries[i].width ? entries[i].width : 256;
      int h = entries[i].height ? entries[i].height : 256;
      std::printf("%dx%d %u\n", w, h, entries[i].bitCount);
    }
    return 0;
  }
  std::fprintf(stderr, "driver: no icon group %llu\n", id);
  return kFailed;
}

int IconGroup(const std::wstring& file, unsigned long long id) {
  return WithResourceModule(file, [&](HMODULE module) { return PrintIconGroup(module, id); });
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
  return TRUE;
}

// Prints a resource's size and the languages it exists in (hexadecimal).
int PrintResource(HMODULE module, const std::wstring& type, const std::wstring& name) {
  if (HRSRC res = FindResourceW(module, name.c_str(), type.c_str())) {
    std::vector<WORD> languages;
    EnumResourceLanguagesW(module, type.c_str(), name.c_str(), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    std::printf("%lu", SizeofResource(module, res));
    for (WORD language : languages)
      std::printf(" %04x", language);
    std::printf("\n");
    return 0;
  }
  std::fprintf(stderr, "driver: no such resource\n");
  return kFailed;
}

int Resource(const std::wstring& file, const std::wstring& type, const std::wstring& name) {
  return WithResourceModule(file,
                            [&](HMODULE module) { return PrintResource(module, type, name); });
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2)
    return kUsage;
  std::wstring command = argv[1];
  Options o = ParseOptions(argc, argv, 2);
  if (!o.ok)
    return kUsage;
  const auto& p = o.positional;
  const Filters& f = o.filters;

  if (command == L"list")
    return List();
  if (command == L"find") {
    HWND found = nullptr;
    if (!WaitFor(f.timeoutMs, [&] { return (found = FindTopLevel(f)) != nullptr; })) {
      std::fprintf(stderr, "driver: no such window within %lu ms\n", f.timeoutMs);
      return kFailed;
    }
    PrintHandle(found);
    return 0;
  }
  if (command == L"wait-exit")
    return f.hasExe ? WaitExit(f) : kUsage;
  if (command == L"icon-group") {
    unsigned long long id = 1;
    if (p.empty() || (p.size() > 1 && !ParseNumber(p[1].c_str(), id)))
      return kUsage;
    return IconGroup(p[0], id);
  }
  if (command == L"resource") {
    if (p.size() < 3)
      return kUsage;
    return Resource(p[0], p[1], p[2]);
  }
  if (command == L"hold") {
    if (p.size() < 2)
      return kUsage;
    return Hold(p[0], p[1], o.timeoutGiven ? f.timeoutMs : 120000);
  }
  if (command == L"drive-add")
    return p.size() < 2 ? kUsage : DriveAdd(p[0][0], p[1]);
  if (command == L"drive-remove")
    return p.empty() ? kUsage : DriveRemove(p[0][0]);
  if (command == L"drives")
    return Drives();
  if (command == L"cmdline")
    return f.hasExe ? CommandLine(f.exe, f.timeoutMs) : kUsage;

  if (p.empty())
    return kUsage;
  if (command == L"freeze" || command == L"thaw") {
    HWND window = ParseWindow(p[0].c_str());
    return window ? FreezeOthers(window, command == L"freeze") : kFailed;
  }
  HWND window = ParseWindow(p[0].c_str());
  if (command == L"wait-gone") {
    if (!window)
      return 0;
    if (WaitFor(f.timeoutMs, [&] { return !IsWindow(window); }))
      return 0;
    std::fprintf(stderr, "driver: the window is still there after %lu ms\n", f.timeoutMs);
    return kFailed;
  }
  if (!window) {
    std::fprintf(stderr, "driver: no such window\n");
    return kFailed;
  }
  if (command == L"caption") {
    std::wstring text;
    if (!ReadText(window, text))
      return kFailed;
    PrintUtf8(text);
    return 0;
  }
  if (command == L"controls")
    return Controls(window);
  if (command == L"tree")
    return Tree(window);
  if (command == L"layout") {
    unsigned long long dpi = 0;
    if (p.size() < 2 || !ParseNumber(p[1].c_str(), dpi))
      return kUsage;
    return LayoutRect(window, static_cast<int>(dpi));
  }
  if (command == L"focus")
    return Focus(window);
  if (command == L"texts")
    return Texts(window, o.child);
  if (command == L"child") {
    HWND found = nullptr;
    if (!WaitFor(f.timeoutMs, [&] { return (found = FindChild(window, o.child)) != nullptr; })) {
      std::fprintf(stderr, "driver: no such control within %lu ms\n", f.timeoutMs);
      return kFailed;
    }
    PrintHandle(found);
    return 0;
  }
  if (command == L"rows")
    return Rows(window);
  if (command == L"progress")
    return Progress(window);
  if (command == L"wait-progress")
    return WaitProgress(window, o.above, f.timeoutMs);
  if (command == L"press" || command == L"choose" || command == L"toggle" || command == L"key") {
    if (p.size() < 2)
      return kUsage;
    if (command == L"press")
      return Press(window, {p.begin() + 1, p.end()}, o.timeoutGiven ? f.timeoutMs : 0);
    if (command == L"key")
      return Key(window, p[1]);
    unsigned long long row = 0;
    if (!ParseNumber(p[1].c_str(), row))
      return kUsage;
    if (command == L"choose")
      return Choose(window, static_cast<unsigned>(row), o.mouse);
    return Toggle(window, static_cast<unsigned>(row));
  }
  if (command == L"close")
    return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : kFailed;
  if (command == L"state" && p.size() == 1) {
    PrintUtf8(StateOf(window));
    return 0;
  }

  if (p.size() < 2)
    return kUsage;
  HWND control = ControlArg(p[0].c_str(), p[1].c_str());
  if (!control)
    return kFailed;
  if (command == L"state") {
    PrintUtf8(StateOf(control));
    return 0;
  }
  if (command == L"text") {
    std::wstring text;
    if (!ReadText(control, text))
      return kFailed;
    PrintUtf8(text);
    return 0;
  }
  if (command == L"checked") {
    DWORD_PTR state = 0;
    if (!Send(control, BM_GETCHECK, 0, 0, state))
      return kFailed;
    std::printf("%lu\n", static_cast<unsigned long>(state));
    return 0;
  }
  if (command == L"items")
    return Items(control);
  if (command == L"click") {
    // Under Wine BM_CLICK on a disabled button still notifies its parent; a
    // person could not press it, so neither may a test.
    if (!IsWindowVisible(control) || !IsWindowEnabled(control) ||
        !IsWindowEnabled(GetAncestor(control, GA_ROOT))) {
      std::fprintf(stderr, "driver: the control is hidden, disabled or under a modal dialog\n");
      return kFailed;
    }
    // Posted: the click may open a modal dialog, and a sent message would only
    // return once that dialog closed.
    return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : kFailed;
  }

  if (p.size() < 3)
    return kUsage;
  if (command == L"set-text") {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(p[2].c_str()),
                               SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)
               ? 0
               : kFailed;
  }
  if (command == L"wait-text") {
    std::wstring text;
    if (WaitFor(f.timeoutMs,
                [&] { return ReadText(control, text) && text.find(p[2]) != std::wstring::npos; }))
      return 0;
    std::fprintf(stderr, "driver: the text did not appear within %lu ms; it reads:\n", f.timeoutMs);
    PrintUtf8(text, stderr);
    return kFailed;
  }
  if (command == L"wait-checked") {
    // A posted click is handled after any message sent meanwhile: wait for it.
    unsigned long long expected = 0;
    DWORD_PTR state = 0;
    if (!ParseNumber(p[2].c_str(), expected))
      return kUsage;
    if (WaitFor(f.timeoutMs,
                [&] { return Send(control, BM_GETCHECK, 0, 0, state) && state == expected; }))
      return 0;
    std::fprintf(stderr, "driver: the check state is %lu, not %llu, after %lu ms\n",
                 static_cast<unsigned long>(state), expected, f.timeoutMs);
    return kFailed;
  }
  if (command == L"wait-state") {
    if (WaitFor(f.timeoutMs, [&] { return HasState(control, p[2]); }))
      return 0;
    std::fprintf(stderr, "driver: the control is not %ls within %lu ms\n", p[2].c_str(),
                 f.timeoutMs);
    return kFailed;
  }
  return kUsage;
}

// Runs a command line, with commands chained by ";;" run one after the other
// in this process, so that a test can act within milliseconds of an event it
// waited for; the first failure ends the chain.
int RunChain(int argc, wchar_t** argv) {
  int result = kDone;
  std::vector<wchar_t*> command{argv[0]};
  for (int i = 1; i <= argc && result == kDone; ++i) {
    if (i < argc && std::wcscmp(argv[i], L";;") != 0) {
      command.push_back(argv[i]);
      continue;
    }
    if (command.size() > 1 || argc == 1)
      result = Run(static_cast<int>(command.size()), command.data());
    std::fflush(stdout);
    command.resize(1);
  }
  if (result == kUsage)
    std::fputs(kUsageText, stderr);
  return result;
}

std::wstring FromUtf8(const std::string& bytes) {
  int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

// The driver as a server, so that a test pays for starting a Wine process
// once: each line of standard input is one command line, its arguments
// separated by tabs, in UTF-8; after the command's output comes a line of
// the record separator (0x1E) and the exit code. Ends at the end of input.
int Serve(wchar_t* programName) {
  std::string line;
  for (int c; (c = std::fgetc(stdin)) != EOF;) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    std::vector<std::wstring> args;
    size_t begin = 0;
    for (size_t tab; (tab = line.find('\t', begin)) != std::string::npos; begin = tab + 1)
      args.push_back(FromUtf8(line.substr(begin, tab - begin)));
    args.push_back(FromUtf8(line.substr(begin)));
    line.clear();
    std::vector<wchar_t*> argv{programName};
    for (std::wstring& arg : args)
      argv.push_back(arg.data());
    int result = RunChain(static_cast<int>(argv.size()), argv.data());
    std::printf("\x1e%d\n", result);
    std::fflush(stdout);
    std::fflush(stderr);
  }
  return kDone;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  // Plain "\n" line ends: a test reads our output with the shell.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (argc == 2 && std::wcscmp(argv[1], L"serve") == 0)
    return Serve(argv[0]);
  int result = RunChain(argc, argv);
  std::fflush(stdout);
  return result;
}
