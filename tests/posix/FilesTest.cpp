// Files and folders of the emulated machine: atomic replacement, the
// Windows results of failures, listings, and the emulated current folder.
#include "support/TestMachine.h"

#include "platform/Constants.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using platform::Fs;
using platform::IoStatus;
namespace fs = std::filesystem;

// 1 June 2021 12:00:00 UTC.
constexpr platform::FileTime kJune2021 = 132670512000000000ULL;

class FilesTest : public ::testing::Test {
protected:
  std::string Read(const std::string& path) {
    std::string out;
    EXPECT_EQ(Fs().ReadFile(path, out), IoStatus::Ok) << path;
    return out;
  }
  IoStatus Write(const std::string& path, const std::string& data,
                 const platform::FileTime* time = nullptr) {
    return Fs().ReplaceFile(path, data.data(), data.size(), time);
  }
  size_t HostEntries(const std::string& windowsFolder) {
    const fs::directory_iterator it(machine.HostPath(windowsFolder));
    return size_t(std::distance(fs::begin(it), fs::end(it)));
  }

  TestMachine machine;
  std::string base = machine.Base();
};

TEST_F(FilesTest, ReplaceFileWritesTheBytesAndTheirDateAndLeavesNoTemporaryFile) {
  const std::string data("a\0b\r\n", 5);
  ASSERT_EQ(Write(base + "f.bin", data, &kJune2021), IoStatus::Ok);
  EXPECT_EQ(Read(base + "F.BIN"), data);
  EXPECT_EQ(Fs().FileLength(base + "f.bin"), 5);
  EXPECT_EQ(Fs().Find(base + "f.bin")->lastWriteUtc, kJune2021);
  ASSERT_EQ(Write(base + "F.bin", "new"), IoStatus::Ok);
  EXPECT_EQ(Read(base + "f.bin"), "new");
  EXPECT_EQ(HostEntries(base), 1u);
}

// The temporary file of a replacement has a predictable name; one planted
// under it beforehand (in a shared folder anyone can write to) must be neither
// written through nor renamed over the destination.
TEST_F(FilesTest, ReplacementNeverUsesAFilePlantedUnderTheTemporaryName) {
  ASSERT_EQ(Write(base + "kre_common.dat", "old"), IoStatus::Ok);
  const std::string host = machine.HostPath(base);
  for (int n = 0; n < 3; ++n) {
    const std::string planted =
        host + "/.~brv" + std::to_string(getpid()) + "-" + std::to_string(n) + ".tmp";
    std::ofstream(planted) << "planted";
  }
  ASSERT_EQ(Write(base + "kre_common.dat", "new"), IoStatus::Ok);
  EXPECT_EQ(Read(base + "kre_common.dat"), "new");
  for (int n = 0; n < 3; ++n) {
    std::ifstream planted(host + "/.~brv" + std::to_string(getpid()) + "-" + std::to_string(n) +
                          ".tmp");
    std::string text;
    planted >> text;
    EXPECT_EQ(text, "planted") << n;
  }
  EXPECT_EQ(HostEntries(base), 4u);
}

// A run stopped between a replacement's write and its rename leaves its
// temporary file behind. The first write into the folder removes exactly such
// files of other processes; a name that merely looks alike, a folder, and this
// process's own names (a replacement may be in flight) stay.
TEST_F(FilesTest, TheFirstWriteIntoAFolderRemovesOnlyOtherRunsTemporaryFiles) {
  const std::string host = machine.HostPath(base);
  const std::string other = std::to_string(getpid() == 4242 ? 4243 : 4242);
  const std::string self = std::to_string(getpid());
  const std::vector<std::string> gone = {".~brv" + other + "-0.tmp", ".~brv" + other + "-99.tmp"};
  const std::vector<std::string> kept = {
      ".~brv" + self + "-0.tmp",   ".~brv" + other + "-0.tmp.bak", "~brv" + other + "-0.tmp",
      ".~brv" + other + "-0.TMP",  ".~brv0" + other + "-0.tmp",    ".~brv" + other + "-100.tmp",
      ".~brv" + other + "-00.tmp", ".~brv" + other + ".tmp",       ".~brv-0.tmp",
      "x.~brv" + other + "-0.tmp", ".~brvx" + other + "-0.tmp"};
  for (const std::string& name : gone)
    std::ofstream(host + "/" + name) << "left";
  for (const std::string& name : kept)
    std::ofstream(host + "/" + name) << "kept";
  ASSERT_TRUE(fs::create_directory(host + "/.~brv" + other + "-1.tmp"));

  ASSERT_EQ(Write(base + "new.txt", "data"), IoStatus::Ok);

  for (const std::string& name : gone)
    EXPECT_FALSE(fs::exists(host + "/" + name)) << name;
  for (const std::string& name : kept)
    EXPECT_TRUE(fs::is_regular_file(host + "/" + name)) << name;
  EXPECT_TRUE(fs::is_directory(host + "/.~brv" + other + "-1.tmp"));
  EXPECT_FALSE(Fs().IsFile(base + gone[1]));
  EXPECT_EQ(HostEntries(base), kept.size() + 2);
}

TEST_F(FilesTest, AFolderInTheWayIsAccessDeniedAndStaysAsItWas) {
  ASSERT_TRUE(Fs().CreateFolder(base + "target"));
  ASSERT_EQ(Write(base + "target\\inside.txt", "keep"), IoStatus::Ok);
  EXPECT_EQ(Write(base + "TARGET", "data"), IoStatus::AccessDenied);
  EXPECT_TRUE(Fs().IsFolder(base + "target"));
  EXPECT_EQ(Read(base + "target\\inside.txt"), "keep");
  EXPECT_EQ(HostEntries(base), 1u);
}

TEST_F(FilesTest, AReadOnlyFileCannotBeReplacedOrDeleted) {
  ASSERT_EQ(Write(base + "ro.txt", "old"), IoStatus::Ok);
  ASSERT_EQ(chmod(machine.HostPath(base + "ro.txt").c_str(), 0444), 0);
  EXPECT_EQ(Write(base + "ro.txt", "new"), IoStatus::AccessDenied);
  EXPECT_FALSE(Fs().RemoveFile(base + "ro.txt"));
  EXPECT_EQ(Read(base + "ro.txt"), "old");
  EXPECT_EQ(HostEntries(base), 1u);
  EXPECT_EQ(Fs().Find(base + "ro.txt")->attributes, attr::kReadOnly);
}

TEST_F(FilesTest, OnlyAnExistingFolderCanBeEntered) {
  ASSERT_TRUE(Fs().CreateFolder(base + "sub"));
  ASSERT_EQ(Write(base + "file.txt", "x"), IoStatus::Ok);
  EXPECT_TRUE(Fs().CanEnterFolder(base + "SUB\\"));
  EXPECT_TRUE(Fs().CanEnterFolder("C:\\"));
  EXPECT_FALSE(Fs().CanEnterFolder(base + "file.txt"));
  EXPECT_FALSE(Fs().CanEnterFolder(base + "missing"));
}

// A host folder without its search permission cannot be entered: it can be
// seen, but neither entered nor made the current folder.
TEST_F(FilesTest, AHostFolderWithoutSearchPermissionCannotBeEntered) {
  if (geteuid() == 0)
    GTEST_SKIP() << "folder permissions do not bind the superuser";
  ASSERT_TRUE(Fs().CreateFolder(base + "locked"));
  const std::string host = machine.HostPath(base + "locked");
  ASSERT_EQ(chmod(host.c_str(), 0), 0);
  const bool entered = Fs().CanEnterFolder(base + "locked");
  const bool current = Fs().SetCurrentFolder(base + "locked");
  const bool seen = Fs().IsFolder(base + "locked");
  chmod(host.c_str(), 0755);
  EXPECT_FALSE(entered);
  EXPECT_FALSE(current);
  EXPECT_TRUE(seen);
}

TEST_F(FilesTest, AReadOnlyHostFolderLeavesTheOldFileAndNoTemporaryFile) {
  if (geteuid() == 0)
    GTEST_SKIP() << "folder permissions do not bind the superuser";
  ASSERT_EQ(Write(base + "keep.txt", "old"), IoStatus::Ok);
  const std::string host = machine.HostPath(base);
  ASSERT_EQ(chmod(host.c_str(), 0555), 0);
  EXPECT_EQ(Write(base + "keep.txt", "new"), IoStatus::AccessDenied);
  chmod(host.c_str(), 0755);
  EXPECT_EQ(Read(base + "keep.txt"), "old");
  EXPECT_EQ(HostEntries(base), 1u);
}

// A file-size limit makes the write fail halfway, as a full disk would.
IoStatus WriteUnderSizeLimit(const std::function<IoStatus()>& write) {
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  rlimit small = previous;
  small.rlim_cur = 4096;
  if (setrlimit(RLIMIT_FSIZE, &small) != 0)
    return IoStatus::Other;
  const IoStatus status = write();
  setrlimit(RLIMIT_FSIZE, &previous);
  signal(SIGXFSZ, previousHandler);
  return status;
}

TEST_F(FilesTest, AWriteFailingHalfwayLeavesTheOldFileAndNoTemporaryFile) {
  ASSERT_EQ(Write(base + "big.bin", "old"), IoStatus::Ok);
  EXPECT_EQ(WriteUnderSizeLimit([&] { return Write(base + "big.bin", std::string(100000, 'x')); }),
            IoStatus::DiskFull);
  EXPECT_EQ(Read(base + "big.bin"), "old");
  EXPECT_EQ(HostEntries(base), 1u);
}

// A new file is written in place, so a failure must take the partial file away.
TEST_F(FilesTest, ANewFileFailingHalfwayIsNotLeftBehind) {
  EXPECT_EQ(WriteUnderSizeLimit([&] { return Write(base + "new.bin", std::string(100000, 'x')); }),
            IoStatus::DiskFull);
  EXPECT_FALSE(Fs().Find(base + "new.bin"));
  EXPECT_EQ(HostEntries(base), 0u);
  ASSERT_EQ(Write(base + "new.bin", "ok"), IoStatus::Ok);
  EXPECT_EQ(Read(base + "new.bin"), "ok");
}

// A file that appears under another spelling after the folder was listed is
// replaced, never doubled by a second file differing only in case.
TEST_F(FilesTest, AFileMadeBehindTheCacheIsReplacedNotDoubled) {
  ASSERT_EQ(Write(base + "seen.txt", "first"), IoStatus::Ok);
  { std::ofstream(machine.HostPath(base) + "/Other.TXT") << "outside"; }
  ASSERT_EQ(Write(base + "other.txt", "inside"), IoStatus::Ok);
  EXPECT_EQ(Read(base + "OTHER.txt"), "inside");
  EXPECT_EQ(HostEntries(base), 2u);
}

// With no folder on the way the write fails as NotFound and creates nothing.
TEST_F(FilesTest, ANewFileInAMissingFolderIsNotFound) {
  EXPECT_EQ(Write(base + "absent\\f.txt", "x"), IoStatus::NotFound);
  ASSERT_EQ(Write(base + "plain", "file"), IoStatus::Ok);
  EXPECT_EQ(Write(base + "plain\\f.txt", "x"), IoStatus::NotFound);
  EXPECT_EQ(HostEntries(base), 1u);
}

TEST_F(FilesTest, MissingFoldersAndFilesGiveWindowsResults) {
  std::string out;
  EXPECT_EQ(Write(base + "nofolder\\x.txt", "x"), IoStatus::NotFound);
  EXPECT_EQ(Fs().ReadFile(base + "absent.txt", out), IoStatus::NotFound);
  EXPECT_EQ(Fs().ReadFile(base, out), IoStatus::AccessDenied);
  EXPECT_EQ(Fs().FileLength(base + "absent.txt"), -1);
  EXPECT_EQ(Fs().FileLength(base), -1);
  EXPECT_FALSE(Fs().Find(base + "absent.txt"));
  EXPECT_FALSE(Fs().Find("C:\\"));
  EXPECT_FALSE(Fs().SetWriteTime(base + "absent.txt", kJune2021));
  EXPECT_FALSE(Fs().RemoveFile(base + "absent.txt"));
  EXPECT_FALSE(Fs().CreateFolder(base + "a\\b"));
  EXPECT_FALSE(Fs().CreateFolder("C:\\"));
  EXPECT_FALSE(Fs().RemoveFolder("C:\\"));
}

TEST_F(FilesTest, FileAndFolderTestsTellThemApart) {
  ASSERT_EQ(Write(base + "f.txt", "x"), IoStatus::Ok);
  EXPECT_TRUE(Fs().IsFile(base + "f.txt"));
  EXPECT_FALSE(Fs().IsFile(base + "f.txt\\"));
  EXPECT_FALSE(Fs().IsFolder(base + "f.txt"));
  EXPECT_TRUE(Fs().IsFolder(base));
  EXPECT_FALSE(Fs().IsFile(base));
  EXPECT_FALSE(Fs().RemoveFile(base));
  EXPECT_FALSE(Fs().RemoveFolder(base + "f.txt"));
}

TEST_F(FilesTest, RemoveFolderNeedsAnEmptyFolder) {
  ASSERT_TRUE(Fs().CreateFolder(base + "d"));
  ASSERT_EQ(Write(base + "d\\x", "x"), IoStatus::Ok);
  EXPECT_FALSE(Fs().RemoveFolder(base + "d"));
  ASSERT_TRUE(Fs().RemoveFile(base + "D\\X"));
  EXPECT_TRUE(Fs().RemoveFolder(base + "D"));
  EXPECT_FALSE(Fs().IsFolder(base + "d"));
}

TEST_F(FilesTest, ListGivesEveryEntryWithAttributesSizeAndDateInNameOrder) {
  ASSERT_TRUE(Fs().CreateFolder(base + "Sub"));
  ASSERT_EQ(Write(base + "b.txt", "12345", &kJune2021), IoStatus::Ok);
  ASSERT_EQ(Write(base + "A.txt", ""), IoStatus::Ok);
  std::vector<platform::DirEntry> entries;
  ASSERT_TRUE(Fs().List(base, entries));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "A.txt");
  EXPECT_EQ(entries[1].name, "b.txt");
  EXPECT_EQ(entries[1].attributes, attr::kArchive);
  EXPECT_EQ(entries[1].size, 5);
  EXPECT_EQ(entries[1].lastWriteUtc, kJune2021);
  EXPECT_EQ(entries[2].name, "Sub");
  EXPECT_TRUE(entries[2].IsFolder());
  EXPECT_EQ(entries[2].size, 0);
  EXPECT_FALSE(Fs().List(base + "b.txt", entries));
  EXPECT_FALSE(Fs().List(base + "none", entries));
}

TEST_F(FilesTest, FindReportsTheNameAsStored) {
  ASSERT_EQ(Write(base + "MixedCase.Txt", "x"), IoStatus::Ok);
  const auto entry = Fs().Find(base + "MIXEDCASE.TXT");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->name, "MixedCase.Txt");
  EXPECT_EQ(entry->size, 1);
}

TEST_F(FilesTest, SetWriteTimeChangesOnlyTheDate) {
  ASSERT_EQ(Write(base + "f.txt", "abc"), IoStatus::Ok);
  ASSERT_TRUE(Fs().SetWriteTime(base + "F.TXT", kJune2021));
  EXPECT_EQ(Fs().Find(base + "f.txt")->lastWriteUtc, kJune2021);
  EXPECT_EQ(Read(base + "f.txt"), "abc");
  EXPECT_FALSE(Fs().SetWriteTime(base, kJune2021));
}

TEST_F(FilesTest, TheCurrentFolderIsEmulatedAndNeverTheHosts) {
  const fs::path hostCwd = fs::current_path();
  EXPECT_EQ(Fs().CurrentFolder(), "C:\\");
  ASSERT_TRUE(Fs().CreateFolder(base + "Here"));
  EXPECT_TRUE(Fs().SetCurrentFolder("c:/t/./here/"));
  EXPECT_EQ(Fs().CurrentFolder(), "C:\\t\\here");
  EXPECT_FALSE(Fs().SetCurrentFolder(base + "absent"));
  EXPECT_FALSE(Fs().SetCurrentFolder("Here"));
  EXPECT_EQ(Fs().CurrentFolder(), "C:\\t\\here");
  EXPECT_EQ(fs::current_path(), hostCwd);
}

TEST_F(FilesTest, TheTemporaryFolderExists) {
  EXPECT_EQ(Fs().TempPath(), "C:\\Users\\user\\AppData\\Local\\Temp\\");
  EXPECT_TRUE(Fs().IsFolder(Fs().TempPath()));
}

TEST_F(FilesTest, TwoThreadsCanWorkAtOnce) {
  auto work = [&](const std::string& prefix) {
    for (int i = 0; i < 200; ++i) {
      const std::string name = base + prefix + std::to_string(i % 20) + "\\f" + std::to_string(i);
      Fs().CreateFolder(base + prefix + std::to_string(i % 20));
      EXPECT_EQ(Write(name, "x"), IoStatus::Ok) << name;
      EXPECT_TRUE(Fs().IsFile(name));
    }
  };
  std::thread other(work, "b");
  work("a");
  other.join();
  std::vector<platform::DirEntry> entries;
  ASSERT_TRUE(Fs().List(base, entries));
  EXPECT_EQ(entries.size(), 40u);
}

} // namespace
