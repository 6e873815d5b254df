// What every command of the end-to-end driver shares: exit codes, argument
// parsing, reading window texts across processes and printing them as UTF-8,
// and polling with a timeout.
#pragma once

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace driver {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollMs = 20;
constexpr UINT kMessageTimeoutMs = 5000;

// Prints text as UTF-8 followed by "\n".
void PrintUtf8(const std::wstring& text, FILE* stream = stdout);
// Prints "driver: " and the formatted message to standard error; kFailed.
int Failure(const char* format, ...);

// Command-line values: a handle or number in decimal or 0x hex.
bool ParseNumber(const wchar_t* s, unsigned long long& out);
// A handle that names an existing window, else null.
HWND ParseWindow(const wchar_t* s);
void PrintHandle(HWND hwnd);

std::wstring ClassOf(HWND hwnd);

// The class and caption a window must have; an unset field matches any.
struct NameFilter {
  std::optional<std::wstring> className{}, notClassName{}, caption{}, captionPart{};
};
// Class names compare without regard to case, as Windows does.
bool MatchesName(HWND hwnd, const NameFilter& filter);

// WM_GETTEXT, sent with a timeout: it is marshalled across processes (unlike
// GetWindowTextW, which would give an edit box's creation text), and a busy
// target cannot hang the test.
bool ReadText(HWND hwnd, std::wstring& text);

// A message sent with a timeout; false when the target did not answer.
bool Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result);

// "visible|hidden enabled|disabled".
std::wstring StateOf(HWND hwnd);
// STATE: visible hidden enabled disabled.
bool HasState(HWND hwnd, const std::wstring& state);

// Polls until `done` holds or the timeout passes.
template <typename Condition> bool WaitFor(DWORD timeoutMs, Condition done) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done())
      return true;
    if (GetTickCount() - start >= timeoutMs)
      return false;
    Sleep(kPollMs);
  }
}

// Every descendant of a window, in the order EnumChildWindows gives them.
std::vector<HWND> Descendants(HWND window);
// Every top-level window, in the order EnumWindows gives them.
std::vector<HWND> TopLevelWindows();

// The IDs of the running processes of that executable name (any case).
std::vector<DWORD> ProcessIdsOf(const std::wstring& exeName);

} // namespace driver
