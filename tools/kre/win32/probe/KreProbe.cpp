// A console helper of the stand-in's end-to-end test under Wine, run in the
// same prefix and desktop: starts a program with WinExec the way the setup
// does, and looks for the running-copy property with EnumWindows and GetPropA
// the way the setup's running-copy test does.
//
//   kre_probe exec PROGRAM [ARG...]              WinExec("\"PROGRAM\" ARG ...", SW_SHOW);
//                                                prints the command line
//   kre_probe run [--timeout MS] PROGRAM [ARG...]
//                                                the same command line with CreateProcessA;
//                                                waits (10 s) for the program to end with 0
//   kre_probe marked NAME [--absent] [--timeout MS]
//                                                waits until a top-level window carries
//                                                a non-zero property NAME (none with
//                                                --absent); prints the handles
//
// Exit codes: 0 done, 1 failed or timed out, 2 wrong usage.
#include "platform/win32/WindowsSupport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr DWORD kPollMs = 50;
constexpr DWORD kDefaultTimeoutMs = 10000;

// The command line the setup builds from argv[first] on: the program in
// quotes, then the arguments.
std::string CommandLine(int argc, char** argv, int first) {
  std::string line = std::string("\"") + argv[first] + "\"";
  for (int i = first + 1; i < argc; ++i)
    line += std::string(" ") + argv[i];
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  return line;
}

int Exec(int argc, char** argv) {
  return WinExec(CommandLine(argc, argv, 2).c_str(), SW_SHOW) > 31 ? 0 : kFailed;
}

int Run(int argc, char** argv) {
  DWORD timeoutMs = kDefaultTimeoutMs;
  int first = 2;
  if (std::strcmp(argv[2], "--timeout") == 0) {
    if (argc < 5)
      return kUsage;
    timeoutMs = std::strtoul(argv[3], nullptr, 10);
    first = 4;
  }
  std::string line = CommandLine(argc, argv, first);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return kFailed;
  CloseHandle(process.hThread);
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  if (code == STILL_ACTIVE)
    std::fprintf(stderr, "kre_probe: still running after %lu ms\n", timeoutMs);
  else if (code != 0)
    std::fprintf(stderr, "kre_probe: exit code %lu\n", code);
  return code == 0 ? 0 : kFailed;
}

struct Search {
  const char* name;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (GetPropA(window, search->name))
    search->found.push_back(window);
  return TRUE;
}

int Marked(int argc, char** argv) {
  if (argc < 3)
    return kUsage;
  bool absent = false;
  DWORD timeoutMs = kDefaultTimeoutMs;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--absent") == 0)
      absent = true;
    else if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc)
      timeoutMs = std::strtoul(argv[++i], nullptr, 10);
    else
      return kUsage;
  }
  const DWORD start = GetTickCount();
  for (;;) {
    Search search{argv[2], {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    if (search.found.empty() == absent) {
      for (HWND window : search.found)
        std::printf("0x%llx\n",
                    static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
      return 0;
    }
    if (GetTickCount() - start >= timeoutMs)
      return kFailed;
    Sleep(kPollMs);
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "exec") == 0)
    return Exec(argc, argv);
  if (argc >= 3 && std::strcmp(argv[1], "run") == 0)
    return Run(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "marked") == 0)
    return Marked(argc, argv);
  std::fputs("usage: kre_probe exec PROGRAM [ARG...]\n"
             "       kre_probe run [--timeout MS] PROGRAM [ARG...]\n"
             "       kre_probe marked NAME [--absent] [--timeout MS]\n",
             stderr);
  return kUsage;
}
