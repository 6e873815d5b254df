// A monotonic stopwatch for timing the phases of an installation.
#pragma once

#include <chrono>

class Stopwatch {
public:
  Stopwatch() : start_(std::chrono::steady_clock::now()) {}
  // Seconds since construction or the last Lap, and starts a new lap.
  double Lap() {
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - start_).count();
    start_ = now;
    return seconds;
  }

private:
  std::chrono::steady_clock::time_point start_;
};
