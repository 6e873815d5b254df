// Other programs on the emulated machine. Exec starts the host file behind
// a Windows command line, detached (double fork, so no zombie is left), in
// the host folder of the emulated current folder (Launch: of the folder it
// is given), with the caller's environment plus BREVANTO_MACHINE (this
// machine) and BREVANTO_COMMAND_LINE (the exact Windows command line).
// Arguments are passed as cp1252 bytes.
#include "platform/posix/CommandLine.h"
#include "platform/posix/Desktop.h"
#include "platform/posix/Machine.h"
#include "platform/posix/Services.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform::posix {
namespace {

// WinExec results.
constexpr unsigned kStarted = 33;
constexpr unsigned kOutOfResources = 0;
constexpr unsigned kFileNotFound = 2;
constexpr unsigned kAccessDenied = 5;
constexpr unsigned kBadFormat = 11;

unsigned ResultOfExecError(int error) {
  switch (error) {
  case ENOENT:
  case ENOTDIR:
    return kFileNotFound;
  case EACCES:
  case EPERM:
    return kAccessDenied;
  default:
    return kBadFormat;
  }
}

// Everything the child needs, prepared before fork: after it only
// async-signal-safe calls are allowed.
struct Launch {
  std::string program;
  std::string folder;
  std::vector<std::string> args;
  std::vector<std::string> env;
  std::vector<char*> argv;
  std::vector<char*> envp;

  void Seal() {
    for (auto& arg : args)
      argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (auto& entry : env)
      envp.push_back(entry.data());
    envp.push_back(nullptr);
  }
};

std::vector<std::string> EnvironmentWith(const std::string& machineRoot,
                                         const std::string& commandLine) {
  std::vector<std::string> env;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string text = *entry;
    if (text.rfind("BREVANTO_MACHINE=", 0) != 0 && text.rfind("BREVANTO_COMMAND_LINE=", 0) != 0)
      env.push_back(text);
  }
  env.push_back("BREVANTO_MACHINE=" + machineRoot);
  env.push_back("BREVANTO_COMMAND_LINE=" + commandLine);
  return env;
}

[[noreturn]] void RunGrandchild(Launch& launch, int errorPipe) {
  // A folder that is gone leaves the child in the inherited one.
  [[maybe_unused]] const int moved = launch.folder.empty() ? 0 : chdir(launch.folder.c_str());
  syscall(SYS_close_range, 3u, ~0u, CLOSE_RANGE_CLOEXEC);
  execve(launch.program.c_str(), launch.argv.data(), launch.envp.data());
  const int error = errno;
  [[maybe_unused]] const ssize_t reported = write(errorPipe, &error, sizeof error);
  _exit(127);
}

// The exit status of a child, waiting through interruptions.
int WaitForExit(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR)
      return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The errno the grandchild reported when it could not start the program; 0
// once the program runs (its end of the pipe closed by execve).
int ExecError(int pipeFd) {
  int error = 0;
  ssize_t got = 0;
  do {
    got = read(pipeFd, &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  return got == ssize_t(sizeof error) ? error : 0;
}

// Starts the program detached; the WinExec result.
unsigned Start(Launch& launch) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0)
    return kOutOfResources;
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0)
      RunGrandchild(launch, pipeFds[1]);
    _exit(grandchild < 0 ? 1 : 0);
  }
  close(pipeFds[1]);
  const int exitCode = child > 0 ? WaitForExit(child) : -1;
  const int error = ExecError(pipeFds[0]);
  close(pipeFds[0]);
  if (exitCode != 0)
    return kOutOfResources;
  return error ? ResultOfExecError(error) : kStarted;
}

class MachineProcesses final : public Processes {
public:
  explicit MachineProcesses(Machine& machine) : machine_(machine) {}

  unsigned Exec(const std::string& commandLine, int) override {
    return ExecIn(commandLine, machine_.Services().files->CurrentFolder());
  }

  // Nobody is elevated here: the program starts as Exec starts it, in folder.
  bool Launch(const std::string&, const std::string& commandLine, const std::string& folder,
              int) override {
    ExecIn(commandLine, folder);
    return true;
  }

  bool AnyTopLevelWindowHasProperty(const std::string& name) override {
    return posix::AnyTopLevelWindowHasProperty(machine_.Root(), name);
  }

private:
  unsigned ExecIn(const std::string& commandLine, const std::string& folder) {
    const auto split = SplitProgram(commandLine, [this](const std::string& program) {
      return machine_.Services().files->IsFile(program);
    });
    if (!split || !machine_.Services().files->IsFile(split->program))
      return kFileNotFound;
    struct Launch launch;
    launch.program = machine_.HostPathOf(split->program).value_or("");
    struct stat st {};
    if (stat(launch.program.c_str(), &st) != 0 || (st.st_mode & 0111) == 0)
      return kBadFormat;
    launch.folder = machine_.HostPathOf(folder).value_or("");
    launch.args.push_back(launch.program);
    for (auto& arg : SplitArguments(split->rest))
      launch.args.push_back(arg);
    launch.env = EnvironmentWith(machine_.Root(), commandLine);
    launch.Seal();
    return Start(launch);
  }

  Machine& machine_;
};

} // namespace

std::unique_ptr<Processes> NewProcesses(Machine& machine) {
  return std::make_unique<MachineProcesses>(machine);
}

} // namespace platform::posix
