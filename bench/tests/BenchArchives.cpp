// Generated archives kept in one temporary folder for the whole test run.
#include "BenchArchives.h"

#include "TempFolder.h"
#include "bench/ScaleArchive.h"

#include <fstream>
#include <map>
#include <memory>

const std::string& ScaleArchiveFile(int entryCount) {
  static TempFolder folder;
  static std::map<int, std::string> files;
  auto found = files.find(entryCount);
  if (found != files.end())
    return found->second;
  std::string compressed, error;
  if (!BuildScaleArchive(entryCount, compressed, error))
    std::abort();
  const std::string path = folder.Path() + "/scale-" + std::to_string(entryCount) + ".z";
  std::ofstream(path, std::ios::binary) << compressed;
  return files[entryCount] = path;
}
