// Entry of the stand-in word processor natively, on the emulated machine: the
// Windows command line it was started with and the Windows folder it lies in.
#include "platform/Platform.h"
#include "platform/posix/CommandLine.h"
#include "platform/posix/Cp1252.h"
#include "platform/posix/Machine.h"
#include "tools/kre/Kre.h"
#include "tools/kre/MainWindow.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string RealPath(const char* path) {
  char resolved[PATH_MAX];
  return realpath(path, resolved) ? resolved : "";
}

// This executable as a Windows path of the machine ("X:\..." for a file under
// <root>/drives/x/); "" when it lies outside the machine.
std::string OwnWindowsPath(const std::string& machineRoot) {
  const std::string self = RealPath("/proc/self/exe");
  const std::string drives = RealPath(machineRoot.c_str()) + "/drives/";
  if (self.compare(0, drives.size(), drives) != 0 || self.size() < drives.size() + 3 ||
      self[drives.size() + 1] != '/')
    return "";
  std::string rest = self.substr(drives.size() + 2);
  for (char& c : rest)
    if (c == '/')
      c = '\\';
  const char letter =
      static_cast<char>(std::toupper(static_cast<unsigned char>(self[drives.size()])));
  return std::string(1, letter) + ":\\" + platform::posix::Utf8ToCp1252(rest);
}

// The command line given to Processes::Exec when it started this program
// with these arguments; otherwise the program's path in quotes followed by
// the arguments, as Windows passes a command line built that way.
std::string CommandLine(const std::string& self, const std::vector<std::string>& args) {
  const char* given = std::getenv("BREVANTO_COMMAND_LINE");
  if (given) {
    auto split = platform::posix::SplitProgram(
        given, [](const std::string& program) { return platform::Fs().IsFile(program); });
    if (split && platform::posix::SplitArguments(split->rest) == args)
      return given;
  }
  std::string line = "\"" + self + "\"";
  for (const std::string& arg : args)
    line += " " + arg;
  return line;
}

std::string FolderOf(const std::string& windowsPath) {
  size_t slash = windowsPath.find_last_of('\\');
  return slash == std::string::npos ? "" : windowsPath.substr(0, slash + 1);
}

} // namespace

int main(int argc, char** argv) {
  const std::string self = OwnWindowsPath(platform::posix::NativeMachine().Root());
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kre::Run(CommandLine(self, args), FolderOf(self), kre::ShowMainWindowUntilClosed);
}
