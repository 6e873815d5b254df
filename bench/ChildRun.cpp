// fork, exec and wait4: the child's own resource usage, not the sum of every
// child this process ever waited for.
#include "bench/ChildRun.h"

#include "bench/Stopwatch.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double Seconds(const timeval& t) {
  return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

} // namespace

ChildMeasure MeasureChild(const std::vector<std::string>& argv) {
  ChildMeasure measure;
  if (argv.empty())
    return measure;
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  Stopwatch clock;
  const pid_t child = fork();
  if (child < 0)
    return measure;
  if (child == 0) {
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child)
    return measure;
  measure.seconds = clock.Lap();
  measure.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  measure.maxResidentKiB = usage.ru_maxrss;
  measure.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return measure;
}
