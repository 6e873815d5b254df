// The Win32 file services against the real file system: atomic replacement,
// lengths, listings and times.
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/win32/Handles.h"
#include "support/TestMachine.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using platform::DirEntry;
using platform::FileTime;
using platform::IoStatus;
using platform::win32::FileHandle;

namespace {

// 23 March 2002, 13:59:22 UTC as a FILETIME.
FileTime SampleTime() {
  SYSTEMTIME st = {};
  st.wYear = 2002;
  st.wMonth = 3;
  st.wDay = 23;
  st.wHour = 13;
  st.wMinute = 59;
  st.wSecond = 22;
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  return (FileTime(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FileHandle Open(const std::string& path, DWORD access, DWORD share) {
  return FileHandle(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

const DirEntry* Named(const std::vector<DirEntry>& entries, const std::string& name) {
  auto it = std::find_if(entries.begin(), entries.end(),
                         [&](const DirEntry& e) { return e.name == name; });
  return it == entries.end() ? nullptr : &*it;
}

class Win32Files : public ::testing::Test {
protected:
  std::string Path(const std::string& name) const { return machine.Base() + name; }

  IoStatus Write(const std::string& name, const std::string& bytes) {
    return files.ReplaceFile(Path(name), bytes.data(), bytes.size(), nullptr);
  }

  std::string Read(const std::string& name) {
    std::string bytes;
    EXPECT_EQ(files.ReadFile(Path(name), bytes), IoStatus::Ok);
    return bytes;
  }

  std::vector<std::string> Names() {
    std::vector<DirEntry> entries;
    EXPECT_TRUE(files.List(machine.Base(), entries));
    std::vector<std::string> names;
    for (const DirEntry& e : entries)
      names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  TestMachine machine;
  platform::Files& files = *platform::Native().files;
};

TEST_F(Win32Files, ReplaceFileWritesExactBytesAndWriteTime) {
  const std::string bytes("a\0b\r\n", 5);
  const FileTime when = SampleTime();
  ASSERT_EQ(files.ReplaceFile(Path("x.bin"), bytes.data(), bytes.size(), &when), IoStatus::Ok);
  EXPECT_EQ(Read("x.bin"), bytes);
  auto entry = files.Find(Path("x.bin"));
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->lastWriteUtc, when);
  EXPECT_EQ(Names(), std::vector<std::string>{"x.bin"});
}

TEST_F(Win32Files, ReplaceFileReplacesLongerContentAndWritesEmptyFiles) {
  ASSERT_EQ(Write("x.txt", "a much longer old content"), IoStatus::Ok);
  ASSERT_EQ(Write("x.txt", "new"), IoStatus::Ok);
  EXPECT_EQ(Read("x.txt"), "new");
  ASSERT_EQ(files.ReplaceFile(Path("x.txt"), nullptr, 0, nullptr), IoStatus::Ok);
  EXPECT_EQ(files.FileLength(Path("x.txt")), 0);
  EXPECT_EQ(Names(), std::vector<std::string>{"x.txt"});
}

TEST_F(Win32Files, ReplaceFileKeepsADestinationHeldOpenWithoutSharing) {
  ASSERT_EQ(Write("kre.exe", "old bytes"), IoStatus::Ok);
  {
    FileHandle holder = Open(Path("kre.exe"), GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(holder.Valid());
    EXPECT_EQ(Write("kre.exe", "new"), IoStatus::SharingViolation);
  }
  EXPECT_EQ(Read("kre.exe"), "old bytes");
  EXPECT_EQ(Names(), std::vector<std::string>{"kre.exe"});
  EXPECT_EQ(Write("kre.exe", "new"), IoStatus::Ok);
}

// The temporary file of a replacement has a predictable name; one planted
// under it beforehand (in a shared folder anyone can write to) must be neither
// written through nor renamed over the destination.
TEST_F(Win32Files, ReplaceFileNeverUsesAFilePlantedUnderTheTemporaryName) {
  ASSERT_EQ(Write("kre_common.dat", "old"), IoStatus::Ok);
  std::vector<std::string> planted;
  for (int n = 0; n < 3; ++n) {
    char name[40];
    std::snprintf(name, sizeof name, "~brv%lx-%d.tmp", GetCurrentProcessId(), n);
    planted.push_back(name);
    ASSERT_EQ(Write(name, "planted"), IoStatus::Ok);
  }
  ASSERT_EQ(Write("kre_common.dat", "new"), IoStatus::Ok);
  EXPECT_EQ(Read("kre_common.dat"), "new");
  for (const std::string& name : planted)
    EXPECT_EQ(Read(name), "planted") << name;
  EXPECT_EQ(Names().size(), 4u);
}

// A run stopped between a replacement's write and its rename leaves its
// temporary file behind. The first write into the folder removes exactly such
// files of other processes; look-alike names, folders, read-only files and
// this process's own names stay.
TEST_F(Win32Files, TheFirstWriteIntoAFolderRemovesOnlyOtherRunsTemporaryFiles) {
  const unsigned long other = GetCurrentProcessId() == 0x4242 ? 0x4243 : 0x4242;
  const auto name = [](const char* format, unsigned long pid) {
    char text[40];
    std::snprintf(text, sizeof text, format, pid);
    return std::string(text);
  };
  const std::vector<std::string> gone = {name("~brv%lx-0.tmp", other),
                                         name("~brv%lx-99.tmp", other)};
  const std::vector<std::string> kept = {name("~brv%lx-0.tmp", GetCurrentProcessId()),
                                         name("~brv%lx-0.tmp.bak", other),
                                         name("~brv%lx-00.tmp", other),
                                         name("~brv0%lx-0.tmp", other),
                                         name("~brv%lx-100.tmp", other),
                                         name("~brv%lx.tmp", other),
                                         name("x~brv%lx-0.tmp", other),
                                         "~brv123456789-0.tmp"};
  for (const std::vector<std::string>* names : {&gone, &kept})
    for (const std::string& planted : *names) {
      FileHandle file(CreateFileA(Path(planted).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(file.Valid()) << planted;
    }
  const std::string readOnly = name("~brv%lx-2.tmp", other);
  ASSERT_TRUE(CloseHandle(CreateFileA(Path(readOnly).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_READONLY, nullptr)));
  ASSERT_TRUE(CreateDirectoryA(Path(name("~brv%lx-1.tmp", other)).c_str(), nullptr));

  ASSERT_EQ(Write("new.txt", "data"), IoStatus::Ok);

  for (const std::string& planted : gone)
    EXPECT_FALSE(files.IsFile(Path(planted))) << planted;
  for (const std::string& planted : kept)
    EXPECT_TRUE(files.IsFile(Path(planted))) << planted;
  EXPECT_TRUE(files.IsFile(Path(readOnly)));
  EXPECT_TRUE(files.IsFolder(Path(name("~brv%lx-1.tmp", other))));
  EXPECT_EQ(Names().size(), kept.size() + 3);
  SetFileAttributesA(Path(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32Files, OnlyAnExistingFolderCanBeEnteredAndEnteringChangesNothing) {
  ASSERT_TRUE(files.CreateFolder(Path("sub")));
  ASSERT_EQ(Write("file.txt", "x"), IoStatus::Ok);
  const std::string current = files.CurrentFolder();
  EXPECT_TRUE(files.CanEnterFolder(Path("SUB")));
  EXPECT_TRUE(files.CanEnterFolder(Path("sub\\")));
  EXPECT_FALSE(files.CanEnterFolder(Path("file.txt")));
  EXPECT_FALSE(files.CanEnterFolder(Path("missing")));
  EXPECT_EQ(files.CurrentFolder(), current);
}

TEST_F(Win32Files, ReplaceFileRefusesAReadOnlyFileOrAFolderInTheWay) {
  ASSERT_EQ(Write("ro.txt", "kept"), IoStatus::Ok);
  ASSERT_TRUE(SetFileAttributesA(Path("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Write("ro.txt", "lost"), IoStatus::AccessDenied);
  EXPECT_EQ(Read("ro.txt"), "kept");

  ASSERT_TRUE(files.CreateFolder(Path("dir")));
  EXPECT_EQ(Write("dir", "bytes"), IoStatus::AccessDenied);
  EXPECT_TRUE(files.IsFolder(Path("dir")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"dir", "ro.txt"}));
}

TEST_F(Win32Files, ReplaceFileInAMissingFolderIsNotFound) {
  EXPECT_EQ(Write("missing\\x.txt", "bytes"), IoStatus::NotFound);
  EXPECT_FALSE(files.IsFolder(Path("missing")));
  EXPECT_TRUE(Names().empty());
}

TEST_F(Win32Files, ReadFileReportsMissingAndLockedFiles) {
  std::string bytes = "stale";
  EXPECT_EQ(files.ReadFile(Path("none.txt"), bytes), IoStatus::NotFound);
  EXPECT_TRUE(bytes.empty());
  ASSERT_EQ(Write("locked.txt", "x"), IoStatus::Ok);
  FileHandle holder = Open(Path("locked.txt"), GENERIC_READ | GENERIC_WRITE, 0);
  ASSERT_TRUE(holder.Valid());
  EXPECT_EQ(files.ReadFile(Path("locked.txt"), bytes), IoStatus::SharingViolation);
}

TEST_F(Win32Files, FileLengthOfClosedOpenAndMissingFiles) {
  ASSERT_EQ(Write("f.txt", "123456789"), IoStatus::Ok);
  EXPECT_EQ(files.FileLength(Path("f.txt")), 9);
  EXPECT_EQ(files.FileLength(Path("none.txt")), -1);
  EXPECT_EQ(files.FileLength(Path("")), -1);
  // The length is opened with no access at all: Windows does not check
  // sharing for such an open, so a file held open for writing elsewhere
  // still gives its length.
  FileHandle writer = Open(Path("f.txt"), GENERIC_WRITE, FILE_SHARE_READ);
  ASSERT_TRUE(writer.Valid());
  EXPECT_EQ(files.FileLength(Path("f.txt")), 9);
}

TEST_F(Win32Files, ListAndFindReportAttributesSizesAndTimes) {
  ASSERT_EQ(Write("b.dat", "12345"), IoStatus::Ok);
  ASSERT_TRUE(files.SetWriteTime(Path("b.dat"), SampleTime()));
  ASSERT_EQ(Write("hidden.txt", ""), IoStatus::Ok);
  ASSERT_TRUE(SetFileAttributesA(Path("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(files.CreateFolder(Path("sub")));
  ASSERT_EQ(Write("sub\\inner.txt", "123"), IoStatus::Ok);

  std::vector<DirEntry> entries;
  ASSERT_TRUE(files.List(machine.Base(), entries));
  ASSERT_EQ(entries.size(), 3u);
  const DirEntry* b = Named(entries, "b.dat");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->size, 5);
  EXPECT_EQ(b->lastWriteUtc, SampleTime());
  EXPECT_FALSE(b->IsFolder());
  const DirEntry* hidden = Named(entries, "hidden.txt");
  ASSERT_TRUE(hidden);
  EXPECT_TRUE(hidden->attributes & attr::kHidden);
  const DirEntry* sub = Named(entries, "sub");
  ASSERT_TRUE(sub);
  EXPECT_TRUE(sub->IsFolder());
  EXPECT_EQ(sub->size, 0);

  std::vector<DirEntry> inner;
  ASSERT_TRUE(files.List(Path("sub"), inner));
  ASSERT_EQ(inner.size(), 1u);
  EXPECT_EQ(inner[0].name, "inner.txt");

  auto found = files.Find(Path("b.dat"));
  ASSERT_TRUE(found);
  EXPECT_EQ(found->name, "b.dat");
  EXPECT_EQ(found->lastWriteUtc, SampleTime());
  EXPECT_FALSE(files.Find(Path("none.dat")));
  EXPECT_FALSE(files.List(Path("none"), entries));
}

TEST_F(Win32Files, AccentedNamesTravelAsCp1252) {
  if (GetACP() != 1252)
    GTEST_SKIP() << "the ANSI code page is not 1252";
  ASSERT_EQ(Write("Mod\xE8les.txt", "x"), IoStatus::Ok);
  EXPECT_EQ(Names(), std::vector<std::string>{"Mod\xE8les.txt"});
  EXPECT_TRUE(WideNameExists(WideOfAnsi(machine.Base()) + L"Mod\u00e8les.txt"));
}

TEST_F(Win32Files, FoldersAreCreatedAndRemovedOneLevelAtATime) {
  EXPECT_FALSE(files.CreateFolder(Path("a\\b")));
  ASSERT_TRUE(files.CreateFolder(Path("a")));
  EXPECT_FALSE(files.CreateFolder(Path("a")));
  EXPECT_TRUE(files.IsFolder(Path("a")));
  EXPECT_FALSE(files.IsFile(Path("a")));
  ASSERT_EQ(Write("a\\f.txt", "x"), IoStatus::Ok);
  EXPECT_TRUE(files.IsFile(Path("a\\f.txt")));
  EXPECT_FALSE(files.RemoveFolder(Path("a")));
  EXPECT_TRUE(files.RemoveFile(Path("a\\f.txt")));
  EXPECT_FALSE(files.RemoveFile(Path("a\\f.txt")));
  EXPECT_TRUE(files.RemoveFolder(Path("a")));
  EXPECT_FALSE(files.IsFolder(Path("a")));
}

TEST_F(Win32Files, CurrentAndTemporaryFolders) {
  const std::string saved = files.CurrentFolder();
  ASSERT_FALSE(saved.empty());
  ASSERT_TRUE(files.SetCurrentFolder(machine.Base()));
  const std::string base = machine.Base().substr(0, machine.Base().size() - 1);
  EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, files.CurrentFolder().c_str(), -1,
                           base.c_str(), -1),
            CSTR_EQUAL);
  EXPECT_FALSE(files.SetCurrentFolder(Path("none")));
  ASSERT_TRUE(files.SetCurrentFolder(saved));

  const std::string temp = files.TempPath();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(files.IsFolder(temp));
}

TEST_F(Win32Files, SetWriteTimeNeedsAnExistingFile) {
  EXPECT_FALSE(files.SetWriteTime(Path("none.txt"), SampleTime()));
}

} // namespace
