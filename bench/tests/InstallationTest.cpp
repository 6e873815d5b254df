// The bench's installations run the engine to its end into the emulated
// machine, stop after the phase asked for, and report failures instead of
// timing them.
#include "bench/Installation.h"
#include "BenchArchives.h"
#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;

size_t FilesUnder(const std::string& folder) {
  size_t count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    count += entry.is_regular_file() ? 1 : 0;
  return count;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

const std::string kInstallFolder = "/drives/c/Program Files/Brevanto";
const std::string kPublicFolder = "/drives/c/ProgramData/Brevanto/Public";

TEST(BenchInstallation, WritesEveryPlannedFileAndTheLog) {
  TempFolder root;
  InstallReport report;
  ASSERT_TRUE(RunWholeInstallation(ScaleArchiveFile(200), root.Path(), report)) << report.error;
  EXPECT_EQ(report.entries, 200u);
  EXPECT_EQ(report.plannedFiles, 201u); // the British cache is the American one again
  EXPECT_GT(report.inflatedBytes, 0);
  // kre.exe, Licence.txt, the hyphenation module and the log; every other file is shared data.
  EXPECT_EQ(FilesUnder(root.Path() + kInstallFolder), 4u);
  EXPECT_EQ(FilesUnder(root.Path() + kPublicFolder), 201u - 3u);
  EXPECT_TRUE(fs::exists(root.Path() + "/drives/c/ProgramData/Brevanto/Hidden/install_stamp"));
  const std::string log = ReadFile(root.Path() + kInstallFolder + "/Install.log");
  EXPECT_NE(log.find("File Copy: C:\\Program Files\\Brevanto\\kre.exe\r\n"), std::string::npos);
}

TEST(BenchInstallation, PhasesAreTimedAndStopWhereAsked) {
  TempFolder root;
  InstallReport report;
  ASSERT_TRUE(RunPhases(ScaleArchiveFile(200), root.Path(), Phase::Plan, report)) << report.error;
  EXPECT_EQ(report.plannedFiles, 201u);
  EXPECT_GT(report.seconds[size_t(Phase::Inflate)], 0);
  EXPECT_GT(report.residentKiB[size_t(Phase::Plan)], 0);
  EXPECT_EQ(report.seconds[size_t(Phase::Extract)], 0);
  EXPECT_FALSE(fs::exists(root.Path() + kInstallFolder + "/kre.exe"));

  TempFolder whole;
  InstallReport all;
  ASSERT_TRUE(RunPhases(ScaleArchiveFile(200), whole.Path(), Phase::LogSave, all)) << all.error;
  EXPECT_TRUE(fs::exists(whole.Path() + kInstallFolder + "/kre.exe"));
  EXPECT_TRUE(fs::exists(whole.Path() + kInstallFolder + "/Install.log"));
  EXPECT_EQ(all.seconds[size_t(Phase::LogLines)], 0);
}

// Every planned file gives one line; its upper-cased twin is a duplicate.
TEST(BenchInstallation, TheLogPhaseKeepsOneLinePerPlannedFile) {
  TempFolder root;
  InstallReport report;
  ASSERT_TRUE(RunPhases(ScaleArchiveFile(200), root.Path(), Phase::LogLines, report))
      << report.error;
  InstallReport logged;
  TempFolder plain;
  ASSERT_TRUE(RunPhases(ScaleArchiveFile(200), plain.Path(), Phase::LogSave, logged));
  const std::string log = ReadFile(plain.Path() + kInstallFolder + "/Install.log");
  size_t lines = 0, copies = 0;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line); ++lines)
    copies += line.rfind("File Copy: ", 0) == 0;
  // The files the installation logged itself (kre.exe, …) are there already.
  ASSERT_GT(copies, 0u);
  EXPECT_EQ(report.logLines, lines - copies + report.plannedFiles);
}

TEST(BenchInstallation, AMissingOrDamagedArchiveIsAFailureNotAResult) {
  TempFolder root;
  InstallReport missing;
  EXPECT_FALSE(RunWholeInstallation(root.Path() + "/absent.z", root.Path() + "/m1", missing));
  EXPECT_FALSE(missing.error.empty());

  const std::string damaged = root.Path() + "/damaged.z";
  std::ofstream(damaged, std::ios::binary) << "not a zlib stream";
  InstallReport phases;
  EXPECT_FALSE(RunPhases(damaged, root.Path() + "/m2", Phase::LogSave, phases));
  EXPECT_FALSE(phases.error.empty());
}

TEST(BenchInstallation, AFileThatCannotBeWrittenEndsTheRunWithItsMessage) {
  TempFolder root;
  fs::create_directories(root.Path() + "/drives/c/Program Files/Brevanto/kre.exe");
  InstallReport report;
  EXPECT_FALSE(RunWholeInstallation(ScaleArchiveFile(200), root.Path(), report));
  EXPECT_NE(report.error.find("kre.exe"), std::string::npos) << report.error;
}

} // namespace
