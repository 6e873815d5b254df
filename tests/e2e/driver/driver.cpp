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

#include <algorithm>
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
    "  text HWND ID                         a control's text\n"
    "  wait-text HWND ID TEXT [--timeout MS] wait until the control's text contains TEXT\n"
    "  state HWND [ID]                      visible|hidden enabled|disabled\n"
    "  wait-state HWND ID STATE [--timeout MS]  STATE: visible hidden enabled disabled\n"
    "  checked HWND ID                      0, 1 or 2 (BM_GETCHECK)\n"
    "  wait-checked HWND ID N [--timeout MS] wait until BM_GETCHECK gives N\n"
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

HWND ControlArg(HWND window, const std::wstring& idArg) {
  unsigned long long id = 0;
  if (idArg == L".")
    return window;
  HWND control =
      ParseNumber(idArg.c_str(), id) ? FindControl(window, static_cast<int>(id)) : nullptr;
  if (!control)
    Failure("no control with ID %ls", idArg.c_str());
  return control;
}

struct Filters {
  NameFilter name;
  std::optional<std::wstring> exe;
  HWND owner = nullptr;
  bool hidden = false;
  DWORD timeoutMs = kDefaultTimeoutMs;
};

struct Options {
  Filters filters;
  ChildQuery child;
  bool timeoutGiven = false;
  bool mouse = false;
  std::vector<std::wstring> positional;
  bool ok = true;
};

bool ParseRect(const wchar_t* s, RECT& r) {
  return std::swscanf(s, L"%ld,%ld,%ld,%ld", &r.left, &r.top, &r.right, &r.bottom) == 4;
}

// An option with a value (v, null when missing): nullopt when `a` is none,
// false for a missing or bad value.
std::optional<bool> ParseValue(Options& o, const std::wstring& a, const wchar_t* v) {
  const std::pair<const wchar_t*, std::optional<std::wstring>*> texts[] = {
      {L"--caption", &o.filters.name.caption},
      {L"--caption-has", &o.filters.name.captionPart},
      {L"--class", &o.filters.name.className},
      {L"--not-class", &o.filters.name.notClassName},
      {L"--exe", &o.filters.exe}};
  for (const auto& [name, field] : texts)
    if (a == name)
      return v && (*field = v, true);
  unsigned long long n = 0;
  if (a == L"--owner")
    return (o.filters.owner = ParseWindow(v)) != nullptr;
  if (a == L"--within")
    return v && (o.child.hasWithin = ParseRect(v, o.child.within));
  if (a == L"--index")
    return ParseNumber(v, n) && (o.child.index = static_cast<unsigned>(n), true);
  if (a == L"--timeout")
    return ParseNumber(v, n) &&
           (o.timeoutGiven = true, o.filters.timeoutMs = static_cast<DWORD>(n), true);
  return std::nullopt;
}

Options ParseOptions(int argc, wchar_t** argv, int first) {
  Options o;
  const std::pair<const wchar_t*, bool*> flags[] = {{L"--hidden", &o.filters.hidden},
                                                    {L"--visible", &o.child.visible},
                                                    {L"--enabled", &o.child.enabled},
                                                    {L"--mouse", &o.mouse}};
  for (int i = first; i < argc; ++i) {
    const std::wstring a = argv[i];
    bool flag = false;
    for (const auto& [name, field] : flags)
      if (a == name)
        flag = *field = true;
    if (flag)
      continue;
    if (const std::optional<bool> valid = ParseValue(o, a, i + 1 < argc ? argv[i + 1] : nullptr)) {
      o.ok = o.ok && *valid;
      ++i;
    } else {
      o.positional.push_back(a);
    }
  }
  // The descendant filters share --class and the caption options.
  o.child.name = o.filters.name;
  return o;
}

// pids: the processes of --exe.
bool Matches(HWND hwnd, const Filters& f, const std::vector<DWORD>& pids) {
  if ((!f.hidden && !IsWindowVisible(hwnd)) || (f.owner && GetWindow(hwnd, GW_OWNER) != f.owner))
    return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (f.exe && std::find(pids.begin(), pids.end(), pid) == pids.end())
    return false;
  return MatchesName(hwnd, f.name);
}

HWND FindTopLevel(const Filters& f) {
  const std::vector<DWORD> pids = f.exe ? ProcessIdsOf(*f.exe) : std::vector<DWORD>{};
  for (HWND hwnd : TopLevelWindows())
    if (Matches(hwnd, f, pids))
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

int WaitExit(const Filters& f) {
  std::vector<HANDLE> handles;
  for (DWORD pid : ProcessIdsOf(*f.exe)) {
    HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (h)
      handles.push_back(h);
  }
  int result = 0;
  if (!handles.empty()) {
    DWORD r = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE,
                                     f.timeoutMs);
    if (r == WAIT_TIMEOUT || r == WAIT_FAILED)
      result = Failure("processes still running");
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
  if (!module)
    return Failure("cannot open the file");
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
  return Failure("no icon group %llu", id);
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
  return Failure("no such resource");
}

int Resource(const std::wstring& file, const std::wstring& type, const std::wstring& name) {
  return WithResourceModule(file,
                            [&](HMODULE module) { return PrintResource(module, type, name); });
}

// Waits until find() gives a window and prints its handle.
template <typename Find> int AwaitHandle(DWORD timeoutMs, const char* what, Find find) {
  HWND found = nullptr;
  if (!WaitFor(timeoutMs, [&] { return (found = find()) != nullptr; }))
    return Failure("no such %s within %lu ms", what, timeoutMs);
  PrintHandle(found);
  return kDone;
}

int PrintText(HWND hwnd) {
  std::wstring text;
  if (!ReadText(hwnd, text))
    return kFailed;
  PrintUtf8(text);
  return kDone;
}

// The commands that take no window.
std::optional<int> RunOnMachine(const std::wstring& command, const Options& o) {
  const auto& p = o.positional;
  const Filters& f = o.filters;
  unsigned long long id = 1;
  if (command == L"list")
    return List();
  if (command == L"find")
    return AwaitHandle(f.timeoutMs, "window", [&] { return FindTopLevel(f); });
  if (command == L"wait-exit")
    return f.exe ? WaitExit(f) : kUsage;
  if (command == L"icon-group")
    return p.empty() || (p.size() > 1 && !ParseNumber(p[1].c_str(), id)) ? kUsage
                                                                         : IconGroup(p[0], id);
  if (command == L"resource")
    return p.size() < 3 ? kUsage : Resource(p[0], p[1], p[2]);
  if (command == L"hold")
    return p.size() < 2 ? kUsage : Hold(p[0], p[1], o.timeoutGiven ? f.timeoutMs : 120000);
  if (command == L"drive-add")
    return p.size() < 2 ? kUsage : DriveAdd(p[0][0], p[1]);
  if (command == L"drive-remove")
    return p.empty() ? kUsage : DriveRemove(p[0][0]);
  if (command == L"drives")
    return Drives();
  if (command == L"cmdline")
    return f.exe ? CommandLine(*f.exe, f.timeoutMs) : kUsage;
  return std::nullopt;
}

// The commands on a window: HWND first.
std::optional<int> RunOnWindow(const std::wstring& command, const Options& o, HWND window) {
  const auto& p = o.positional;
  const DWORD timeoutMs = o.filters.timeoutMs;
  unsigned long long n = 0;
  if (command == L"caption")
    return PrintText(window);
  if (command == L"tree")
    return Tree(window);
  if (command == L"layout")
    return p.size() < 2 || !ParseNumber(p[1].c_str(), n) ? kUsage
                                                         : LayoutRect(window, static_cast<int>(n));
  if (command == L"focus")
    return Focus(window);
  if (command == L"texts")
    return Texts(window, o.child);
  if (command == L"child")
    return AwaitHandle(timeoutMs, "control", [&] { return FindChild(window, o.child); });
  if (command == L"rows")
    return Rows(window);
  if (command == L"progress")
    return Progress(window);
  if (command == L"close")
    return PostMessageW(window, WM_CLOSE, 0, 0) ? kDone : kFailed;
  if (command == L"freeze" || command == L"thaw")
    return FreezeOthers(window, command == L"freeze");
  if (command != L"press" && command != L"choose" && command != L"toggle" && command != L"key")
    return std::nullopt;
  if (p.size() < 2)
    return kUsage;
  if (command == L"press")
    return Press(window, {p.begin() + 1, p.end()}, o.timeoutGiven ? timeoutMs : 0);
  if (command == L"key")
    return Key(window, p[1]);
  if (!ParseNumber(p[1].c_str(), n))
    return kUsage;
  return command == L"choose" ? Choose(window, static_cast<unsigned>(n), o.mouse)
                              : Toggle(window, static_cast<unsigned>(n));
}

// Under Wine BM_CLICK on a disabled button still notifies its parent; a person
// could not press it, so neither may a test. Posted: the click may open a
// modal dialog, and a sent message would only return once that dialog closed.
int Click(HWND control) {
  if (!IsWindowVisible(control) || !IsWindowEnabled(control) ||
      !IsWindowEnabled(GetAncestor(control, GA_ROOT)))
    return Failure("the control is hidden, disabled or under a modal dialog");
  return PostMessageW(control, BM_CLICK, 0, 0) ? kDone : kFailed;
}

// The commands on a control: HWND ID, then for some a value.
int RunOnControl(const std::wstring& command, const Options& o, HWND control) {
  const auto& p = o.positional;
  const DWORD timeoutMs = o.filters.timeoutMs;
  DWORD_PTR state = 0;
  if (command == L"state")
    return PrintUtf8(StateOf(control)), kDone;
  if (command == L"text")
    return PrintText(control);
  if (command == L"checked") {
    if (!Send(control, BM_GETCHECK, 0, 0, state))
      return kFailed;
    std::printf("%lu\n", static_cast<unsigned long>(state));
    return kDone;
  }
  if (command == L"click")
    return Click(control);
  if (p.size() < 3)
    return kUsage;
  const std::wstring& value = p[2];
  if (command == L"set-text")
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()),
                               SMTO_ABORTIFHUNG, kMessageTimeoutMs, &state)
               ? kDone
               : kFailed;
  if (command == L"wait-text") {
    std::wstring text;
    if (WaitFor(timeoutMs,
                [&] { return ReadText(control, text) && text.find(value) != std::wstring::npos; }))
      return kDone;
    Failure("the text did not appear within %lu ms; it reads:", timeoutMs);
    PrintUtf8(text, stderr);
    return kFailed;
  }
  if (command == L"wait-checked") {
    // A posted click is handled after any message sent meanwhile: wait for it.
    unsigned long long expected = 0;
    if (!ParseNumber(value.c_str(), expected))
      return kUsage;
    if (WaitFor(timeoutMs,
                [&] { return Send(control, BM_GETCHECK, 0, 0, state) && state == expected; }))
      return kDone;
    return Failure("the check state is %lu, not %llu, after %lu ms",
                   static_cast<unsigned long>(state), expected, timeoutMs);
  }
  if (command == L"wait-state")
    return WaitFor(timeoutMs, [&] { return HasState(control, value); })
               ? kDone
               : Failure("the control is not %ls within %lu ms", value.c_str(), timeoutMs);
  return kUsage;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2)
    return kUsage;
  const std::wstring command = argv[1];
  const Options o = ParseOptions(argc, argv, 2);
  if (!o.ok)
    return kUsage;
  if (const std::optional<int> result = RunOnMachine(command, o))
    return *result;
  const auto& p = o.positional;
  if (p.empty())
    return kUsage;
  HWND window = ParseWindow(p[0].c_str());
  if (command == L"wait-gone")
    return !window || WaitFor(o.filters.timeoutMs, [&] { return !IsWindow(window); })
               ? kDone
               : Failure("the window is still there after %lu ms", o.filters.timeoutMs);
  if (!window)
    return Failure("no such window");
  if (const std::optional<int> result = RunOnWindow(command, o, window))
    return *result;
  if (p.size() < 2)
    return command == L"state" ? (PrintUtf8(StateOf(window)), kDone) : kUsage;
  HWND control = ControlArg(window, p[1]);
  return control ? RunOnControl(command, o, control) : kFailed;
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
