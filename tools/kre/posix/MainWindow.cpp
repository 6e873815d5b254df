// The stand-in's window on the emulated desktop: a window record carrying the
// running-copy property, kept until the program is told to stop (SIGTERM or
// SIGINT) or its record is removed, the way a window is closed from outside.
#include "tools/kre/MainWindow.h"

#include "platform/posix/Desktop.h"
#include "platform/posix/Machine.h"
#include "tools/kre/Kre.h"

#include <csignal>
#include <ctime>
#include <string>
#include <unistd.h>

namespace kre {
namespace {

constexpr long kPollNanoseconds = 100 * 1000 * 1000;

// Where the desktop keeps this process's window record.
std::string RecordPath(const std::string& machineRoot) {
  return machineRoot + "/windows/" + std::to_string(getpid());
}

} // namespace

void ShowMainWindowUntilClosed() {
  // Blocked first, so a stop request that comes early waits for the loop
  // below instead of killing the program with its record still there.
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stops, nullptr);

  const std::string root = platform::posix::NativeMachine().Root();
  if (!platform::posix::RegisterTopLevelWindow(root, {{kRunningProperty, 1}}))
    return;
  const std::string record = RecordPath(root);
  const timespec poll{0, kPollNanoseconds};
  while (access(record.c_str(), F_OK) == 0) {
    if (sigtimedwait(&stops, nullptr, &poll) > 0)
      break;
  }
  platform::posix::UnregisterTopLevelWindow(root);
}

} // namespace kre
