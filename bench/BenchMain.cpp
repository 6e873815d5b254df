// brevanto_bench: runs the engine's installation, whole or phase by phase, on
// an archive into an emulated machine, and the helpers the bench script needs.
//
//   brevanto_bench machine ROOT              creates a fresh emulated machine
//   brevanto_bench install ARCHIVE ROOT      the whole installation
//   brevanto_bench phases ARCHIVE ROOT [P]   each phase timed, up to phase P
//   brevanto_bench generate COUNT OUT        a scale archive of COUNT entries
//   brevanto_bench measure CMD [ARG...]      wall time and peak memory of CMD
//   brevanto_bench startup ARCHIVE ROUNDS    catalogue against a bare inflate
//   brevanto_bench probe FOLDER COUNT        creation and removal of COUNT files
//
// Results are printed one per line as "key value", times in seconds.
#include "bench/ChildRun.h"
#include "bench/FsProbe.h"
#include "bench/Installation.h"
#include "bench/ScaleArchive.h"
#include "bench/StartupCost.h"
#include "bench/Stopwatch.h"
#include "platform/posix/Machine.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

int Usage() {
  std::cerr << "usage: brevanto_bench machine ROOT\n"
               "       brevanto_bench install ARCHIVE ROOT\n"
               "       brevanto_bench phases ARCHIVE ROOT [inflate|index|componentsize|plan|"
               "extract|logsave|loglines]\n"
               "       brevanto_bench generate COUNT OUT\n"
               "       brevanto_bench measure CMD [ARG...]\n"
               "       brevanto_bench startup ARCHIVE ROUNDS\n"
               "       brevanto_bench probe FOLDER COUNT\n";
  return 2;
}

int Fail(const std::string& why) {
  std::cerr << "brevanto_bench: " << why << "\n";
  return 1;
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), std::streamsize(data.size()));
  out.close();
  return !out.fail();
}

void PrintSizes(const InstallReport& report) {
  std::printf("compressed %zu\ninflated %d\nentries %zu\nplanned %zu\n", report.compressedBytes,
              report.inflatedBytes, report.entries, report.plannedFiles);
}

int Install(const std::string& archive, const std::string& root) {
  InstallReport report;
  Stopwatch clock;
  if (!RunWholeInstallation(archive, root, report))
    return Fail(report.error);
  std::printf("install %.6f\n", clock.Lap());
  PrintSizes(report);
  return 0;
}

bool ParsePhase(const std::string& name, Phase& phase) {
  for (size_t i = 0; i < size_t(Phase::Count); ++i) {
    if (name == PhaseName(Phase(i))) {
      phase = Phase(i);
      return true;
    }
  }
  return false;
}

int Phases(const std::string& archive, const std::string& root, const std::string& last) {
  Phase lastPhase = Phase::LogLines;
  if (!last.empty() && !ParsePhase(last, lastPhase))
    return Usage();
  InstallReport report;
  if (!RunPhases(archive, root, lastPhase, report))
    return Fail(report.error);
  for (size_t i = 0; i <= size_t(lastPhase); ++i)
    std::printf("%s %.6f\nrss_%s %ld\n", PhaseName(Phase(i)), report.seconds[i],
                PhaseName(Phase(i)), report.residentKiB[i]);
  PrintSizes(report);
  if (lastPhase == Phase::LogLines)
    std::printf("loglines_count %zu\n", report.logLines);
  return 0;
}

int Generate(const std::string& count, const std::string& out) {
  const int entries = std::atoi(count.c_str());
  if (entries < 14)
    return Fail("an archive needs at least the 14 top-level files of the sample");
  std::string compressed, error;
  if (!BuildScaleArchive(entries, compressed, error))
    return Fail(error);
  if (!WriteWholeFile(out, compressed))
    return Fail(out + ": cannot write");
  return 0;
}

int Measure(const std::vector<std::string>& command) {
  const ChildMeasure m = MeasureChild(command);
  std::printf("seconds %.6f\ncpu_seconds %.6f\nmaxrss_kib %ld\nexit %d\n", m.seconds, m.cpuSeconds,
              m.maxResidentKiB, m.exitCode);
  return m.exitCode == 0 ? 0 : 1;
}

int Startup(const std::string& archive, int rounds) {
  std::string error;
  return PrintStartup(archive, rounds, error) ? 0 : Fail(error);
}

int Probe(const std::string& folder, int count) {
  const double seconds = ProbeFileSystem(folder, count);
  if (seconds < 0)
    return Fail(folder + ": cannot create the probe's files");
  std::printf("seconds %.6f\n", seconds);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty())
    return Usage();
  const std::string& command = args[0];
  if (command == "machine" && args.size() == 2) {
    platform::posix::Machine machine(args[1]);
    return 0;
  }
  if (command == "install" && args.size() == 3)
    return Install(args[1], args[2]);
  if (command == "phases" && (args.size() == 3 || args.size() == 4))
    return Phases(args[1], args[2], args.size() == 4 ? args[3] : std::string());
  if (command == "generate" && args.size() == 3)
    return Generate(args[1], args[2]);
  if (command == "startup" && args.size() == 3)
    return Startup(args[1], std::atoi(args[2].c_str()));
  if (command == "probe" && args.size() == 3)
    return Probe(args[1], std::atoi(args[2].c_str()));
  if (command == "measure" && args.size() >= 2)
    return Measure({args.begin() + 1, args.end()});
  return Usage();
}
