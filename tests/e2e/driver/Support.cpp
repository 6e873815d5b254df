// Shared helpers of the end-to-end driver's commands.
#include "Support.h"

#include <tlhelp32.h>

#include <cstdarg>
#include <cwchar>

namespace driver {

void PrintUtf8(const std::wstring& text, FILE* stream) {
  if (!text.empty()) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
  }
  std::fputc('\n', stream);
}

int Failure(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::fputs("driver: ", stderr);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  va_end(args);
  return kFailed;
}

bool ParseNumber(const wchar_t* s, unsigned long long& out) {
  if (!s || !*s)
    return false;
  wchar_t* end = nullptr;
  out = std::wcstoull(s, &end, 0);
  return end && *end == L'\0';
}

HWND ParseWindow(const wchar_t* s) {
  unsigned long long v = 0;
  if (!ParseNumber(s, v))
    return nullptr;
  HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(v));
  return IsWindow(hwnd) ? hwnd : nullptr;
}

void PrintHandle(HWND hwnd) {
  std::printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}

bool MatchesName(HWND hwnd, const NameFilter& f) {
  const std::wstring cls = ClassOf(hwnd);
  if ((f.className && _wcsicmp(cls.c_str(), f.className->c_str()) != 0) ||
      (f.notClassName && _wcsicmp(cls.c_str(), f.notClassName->c_str()) == 0))
    return false;
  std::wstring text;
  if (!f.caption && !f.captionPart)
    return true;
  return ReadText(hwnd, text) && (!f.caption || text == *f.caption) &&
         (!f.captionPart || text.find(*f.captionPart) != std::wstring::npos);
}

bool Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  result = 0;
  return SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &result) != 0;
}

bool ReadText(HWND hwnd, std::wstring& text) {
  DWORD_PTR length = 0;
  if (!Send(hwnd, WM_GETTEXTLENGTH, 0, 0, length))
    return false;
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!Send(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied))
    return false;
  text.assign(buffer.data(), copied);
  return true;
}

std::wstring StateOf(HWND hwnd) {
  std::wstring s = IsWindowVisible(hwnd) ? L"visible" : L"hidden";
  s += IsWindowEnabled(hwnd) ? L" enabled" : L" disabled";
  return s;
}

bool HasState(HWND hwnd, const std::wstring& state) {
  if (state == L"visible")
    return IsWindowVisible(hwnd);
  if (state == L"hidden")
    return !IsWindowVisible(hwnd);
  if (state == L"enabled")
    return IsWindowEnabled(hwnd);
  if (state == L"disabled")
    return !IsWindowEnabled(hwnd);
  return false;
}

namespace {
// A named callback: on 32-bit Windows a lambda cannot become a stdcall pointer.
BOOL CALLBACK Collect(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}
} // namespace

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> all;
  EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> all;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::vector<DWORD> ProcessIdsOf(const std::wstring& exeName) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0)
      ids.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return ids;
}

} // namespace driver
