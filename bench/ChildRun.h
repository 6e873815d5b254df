// Running a command as a child process and measuring it from outside: wall
// time from start to exit, processor time, and its peak resident memory.
#pragma once

#include <string>
#include <vector>

struct ChildMeasure {
  double seconds = 0;
  double cpuSeconds = 0;   // user and system time of the child and its own children
  long maxResidentKiB = 0; // ru_maxrss of the child
  int exitCode = -1;       // -1 when it could not be started or did not exit
};

// Runs argv[0] (searched in PATH) with its arguments and waits for it.
ChildMeasure MeasureChild(const std::vector<std::string>& argv);
