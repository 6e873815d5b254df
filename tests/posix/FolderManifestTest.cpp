// The manifest of a vendor's folder (mkarchive manifest): which files are
// accepted, into which component, with which date, and which are refused,
// each problem naming its file.
#include "tools/FolderManifest.h"
#include "tools/Manifest.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A fresh folder, gone after the test.
struct Folder {
  Folder() {
    std::string pattern = fs::temp_directory_path().string() + "/brevanto-manifest-XXXXXX";
    root = mkdtemp(pattern.data()) ? pattern : "";
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  std::string root;
};

enum Kind { kFile, kBrokenLink, kFolderLink, kPipe };

std::tm Local(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return local;
}

// The test files are compiled to cp1252; names on disk are UTF-8.
std::string Utf8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

struct DiskFile {
  std::string path; // UTF-8, '/'-separated
  Kind kind = kFile;
  std::tm local = Local(2002, 3, 23, 13, 59, 2);
};

void Make(const std::string& root, const DiskFile& file) {
  const std::string full = root + "/" + file.path;
  fs::create_directories(fs::path(full).parent_path());
  switch (file.kind) {
  case kFile: {
    std::ofstream(full) << file.path;
    std::tm local = file.local;
    const timespec times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, full.c_str(), times, 0), 0) << full;
    break;
  }
  case kBrokenLink:
    ASSERT_EQ(symlink("nowhere", full.c_str()), 0);
    break;
  case kFolderLink:
    ASSERT_EQ(symlink(root.c_str(), full.c_str()), 0);
    break;
  case kPipe:
    ASSERT_EQ(mkfifo(full.c_str(), 0600), 0);
    break;
  }
}

const DiskFile kGoodFiles[] = {{Utf8(u8"kre.exe")},
                               {Utf8(u8"Basic.asn")},
                               {Utf8(u8"Modèles de document/Divers/Carte.kdt")},
                               {Utf8(u8"Licence.txt")}};

struct Refusal {
  const char* why;
  DiskFile bad;
};

const Refusal kRefusals[] = {
    {"a character cp1252 lacks", {Utf8(u8"Modèles de document/日本.kdt")}},
    {"bytes that are not UTF-8", {Utf8(u8"Modèles de document/\xff.kdt")}},
    {"a backslash inside a name on disk", {Utf8(u8"Modèles de document/a\\b.kdt")}},
    {"a colon", {Utf8(u8"Modèles de document/a:b.kdt")}},
    {"256 bytes in cp1252",
     {Utf8(u8"Modèles de document/") + std::string(232, 'a') + Utf8(u8".kdt")}},
    {"the same name as another ignoring case", {Utf8(u8"KRE.EXE")}},
    {"a date before 1980", {Utf8(u8"Coupe de mots.dat"), kFile, Local(1979, 12, 31)}},
    {"a date after 2099", {Utf8(u8"Modèles de document/Futur.kdt"), kFile, Local(2100, 1, 1)}},
    {"a broken link", {Utf8(u8"Modèles de document/Perdu.kdt"), kBrokenLink}},
    {"a pipe", {Utf8(u8"Modèles de document/Tube.kdt"), kPipe}},
    {"a link to a folder", {Utf8(u8"Collections d'inserts/Boucle"), kFolderLink}},
    {"a file no component names", {Utf8(u8"LisezMoi.txt")}},
    {"a folder no component names", {Utf8(u8"Aide/Index.txt")}},
};

TEST(FolderManifest, EachBadFileIsRefusedByName) {
  for (const Refusal& row : kRefusals) {
    SCOPED_TRACE(row.why);
    Folder folder;
    for (const DiskFile& good : kGoodFiles)
      Make(folder.root, good);
    Make(folder.root, row.bad);
    std::vector<FolderFile> files;
    std::vector<std::string> problems;
    EXPECT_FALSE(ScanFolder(folder.root, files, problems));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(row.bad.path), std::string::npos) << problems[0];
  }
}

struct Placement {
  DiskFile file;
  int component;
  std::string line; // the manifest line, without its LF
};

const Placement kPlacements[] = {
    {{Utf8(u8"kre.exe")}, 0, Utf8(u8"2002-03-23 13:59:02\tkre.exe")},
    {{Utf8(u8"français.zlx"), kFile, Local(1980, 1, 1, 0, 0, 23)},
     1,
     Utf8(u8"1980-01-01 00:00:22\tfrançais.zlx")},
    {{Utf8(u8"us.zlx"), kFile, Local(2099, 12, 31, 23, 59, 59)},
     2,
     Utf8(u8"2099-12-31 23:59:58\tus.zlx")},
    {{Utf8(u8"modèles de document/Lettres/Été.kdt")},
     4,
     Utf8(u8"2002-03-23 13:59:02\tmodèles de document\\Lettres\\Été.kdt")},
    {{Utf8(u8"Collections d'inserts/Images/Œil.gif")},
     5,
     Utf8(u8"2002-03-23 13:59:02\tCollections d'inserts\\Images\\Œil.gif")},
    {{Utf8(u8"Basic.asn")}, 6, Utf8(u8"2002-03-23 13:59:02\tBasic.asn")},
};

TEST(FolderManifest, FilesArePlacedInComponentOrderWithEvenSecondDates) {
  Folder folder;
  for (auto it = std::rbegin(kPlacements); it != std::rend(kPlacements); ++it)
    Make(folder.root, it->file);
  std::vector<FolderFile> files;
  std::vector<std::string> problems;
  ASSERT_TRUE(ScanFolder(folder.root, files, problems)) << problems.front();
  ASSERT_EQ(files.size(), std::size(kPlacements));
  std::vector<ManifestEntry> entries;
  std::string error;
  ASSERT_TRUE(ParseManifest(FolderManifestText(files), entries, error)) << error;
  ASSERT_EQ(entries.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(kPlacements[i].line);
    EXPECT_EQ(files[i].path, kPlacements[i].file.path);
    EXPECT_EQ(files[i].component, kPlacements[i].component);
    EXPECT_EQ(ComponentOfEntry(entries[i].name), kPlacements[i].component);
    EXPECT_EQ(entries[i].path, kPlacements[i].file.path);
    EXPECT_NE(FolderManifestText(files).find(kPlacements[i].line + "\n"), std::string::npos);
  }
}

} // namespace
