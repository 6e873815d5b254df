// Reading a folder tree into manifest entries (POSIX: names on disk are UTF-8).
#include "tools/FolderManifest.h"

#include "engine/ArchiveReader.h"
#include "engine/Components.h"
#include "engine/NameMatch.h"
#include "tools/Cp1252.h"
#include "tools/Manifest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

// The file's modification time as local time, odd seconds rounded down as
// file dates on Windows keep them; false when it cannot be read.
bool ReadFileTime(const std::string& path, CivilDateTime& when, std::string& why) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    why = "cannot be read (missing, or a broken link)";
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    why = "is not a regular file";
    return false;
  }
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    why = "cannot be read";
    return false;
  }
  ::close(fd);
  std::tm local{};
  const time_t seconds = st.st_mtime;
  if (!::localtime_r(&seconds, &local)) {
    why = "has a modification time that cannot be converted";
    return false;
  }
  when = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec - local.tm_sec % 2};
  return true;
}

// Checks one file and fills its entry; false with why when it cannot be one.
bool MakeEntry(const std::string& root, const std::string& path, FolderFile& file,
               std::string& why) {
  file.path = path;
  std::string backslashed = path;
  std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
  if (path.find('\\') != std::string::npos || !Utf8ToCp1252(backslashed, file.name)) {
    why = "name cannot be stored: not representable in cp1252, or holds a backslash";
    return false;
  }
  if (file.name.size() > 255) {
    why = "name is " + std::to_string(file.name.size()) + " bytes long in cp1252 (at most 255)";
    return false;
  }
  if (!IsSafeEntryName(file.name)) {
    why = "name could leave the install folder (':' or an empty, '.' or '..' folder)";
    return false;
  }
  if (!ReadFileTime(root + "/" + path, file.when, why))
    return false;
  double days = 0;
  if (!EncodeArchiveDate(file.when, days, why)) {
    why = "modification time cannot be stored: " + why;
    return false;
  }
  file.component = ComponentOfEntry(file.name);
  if (file.component < 0) {
    why = "belongs to no component: the setup would never install it";
    return false;
  }
  return true;
}

// Relative UTF-8 paths of every non-folder below root, links to folders
// reported as problems rather than silently left out.
std::vector<std::string> ListTree(const std::string& root, std::vector<std::string>& problems) {
  std::vector<std::string> paths;
  std::error_code error;
  fs::recursive_directory_iterator it(root, error), end;
  if (error) {
    problems.push_back(root + ": cannot list the folder: " + error.message());
    return paths;
  }
  for (; it != end; it.increment(error)) {
    if (error) {
      problems.push_back(root + ": cannot list a folder: " + error.message());
      break;
    }
    const std::string relative = it->path().lexically_relative(root).generic_string();
    std::error_code ignored;
    if (it->is_symlink(ignored) && it->is_directory(ignored)) {
      problems.push_back(relative + ": is a link to a folder, which is not followed");
      continue;
    }
    if (!it->is_directory(ignored))
      paths.push_back(relative);
  }
  return paths;
}

void ReportCaseTwins(const std::vector<FolderFile>& files, std::vector<std::string>& problems) {
  std::map<std::string, std::string> seen;
  for (const FolderFile& file : files) {
    const auto [at, inserted] = seen.emplace(UpperCp1252(file.name), file.path);
    if (!inserted)
      problems.push_back(file.path + ": same name as " + at->second + " ignoring case");
  }
}

} // namespace

int ComponentOfEntry(const std::string& name) {
  for (int i = 0; i < kComponentCount; ++i) {
    for (const std::string& item : FileListItems(Components[i].FileList)) {
      if (TNamePattern(item).Matches(name))
        return i;
    }
  }
  return -1;
}

bool ScanFolder(const std::string& root, std::vector<FolderFile>& files,
                std::vector<std::string>& problems) {
  files.clear();
  problems.clear();
  for (const std::string& path : ListTree(root, problems)) {
    FolderFile file{};
    std::string why;
    if (MakeEntry(root, path, file, why))
      files.push_back(std::move(file));
    else
      problems.push_back(path + ": " + why);
  }
  std::sort(files.begin(), files.end(), [](const FolderFile& a, const FolderFile& b) {
    return a.component != b.component ? a.component < b.component
                                      : UpperCp1252(a.name) < UpperCp1252(b.name);
  });
  ReportCaseTwins(files, problems);
  return problems.empty();
}

std::string FolderManifestText(const std::vector<FolderFile>& files) {
  std::string text =
      "# Made by mkarchive manifest: the files of each component, in archive order.\n";
  int component = -1;
  for (const FolderFile& file : files) {
    if (file.component != component) {
      component = file.component;
      text +=
          "# " + std::to_string(component) + " " + Cp1252ToUtf8(Components[component].Name) + "\n";
    }
    text += ManifestLine(file.when, file.name);
  }
  return text;
}
