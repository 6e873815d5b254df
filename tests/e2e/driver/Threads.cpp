// Holding a program at a known point: every thread of a window's process but
// the window's own is suspended (the setup's install thread), and resumed
// again, so a test acts while the installation cannot move on.
#include "Threads.h"

#include "Support.h"

#include <tlhelp32.h>

#include <cstdio>

namespace {

// Calls action on every other thread of the window's process; false when the
// process's threads cannot be listed or one of them cannot be reached.
template <typename Action> bool ForOtherThreads(HWND window, Action action) {
  DWORD pid = 0;
  const DWORD own = GetWindowThreadProcessId(window, &pid);
  if (!own)
    return false;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return false;
  bool ok = true;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pid || entry.th32ThreadID == own)
      continue;
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
    if (!thread || action(thread) == static_cast<DWORD>(-1))
      ok = false;
    if (thread)
      CloseHandle(thread);
  }
  CloseHandle(snapshot);
  return ok;
}

} // namespace

namespace driver {

int Freeze(HWND window, bool freeze) {
  const bool ok = freeze ? ForOtherThreads(window, [](HANDLE t) { return SuspendThread(t); })
                         : ForOtherThreads(window, [](HANDLE t) { return ResumeThread(t); });
  if (!ok) {
    std::fprintf(stderr, "driver: cannot %s the other threads\n", freeze ? "suspend" : "resume");
    return kFailed;
  }
  return 0;
}

} // namespace driver
