// mkpayload: writes the sample payload of the current build and its manifest.
//
//   mkpayload OUTDIR [--kre FILE]
//
// Creates OUTDIR/payload/ with the 259 entries (file names in UTF-8, '/'
// separated) and OUTDIR/manifest.txt listing them in archive order for
// `mkarchive pack`. Contents are generated deterministically; kre.exe is a
// labelled placeholder text unless --kre names the program to ship instead.
// The large generated files make room for that program, so the archive image
// keeps the current build's size (6,681,581 bytes) either way.
#include "tools/Cp1252.h"
#include "tools/Manifest.h"
#include "tools/PayloadContent.h"
#include "tools/PayloadLayout.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr size_t kEntryCount = 259;
constexpr size_t kLongestName = 72;

int Fail(const std::string& what) {
  std::cerr << "mkpayload: " << what << "\n";
  return 1;
}

bool ReadWholeFile(const std::string& path, std::string& data) {
  std::error_code ignored;
  if (!fs::is_regular_file(path, ignored))
    return false;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  data = content.str();
  return !in.bad();
}

bool WriteWholeFile(const fs::path& path, const std::string& data) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  out.close();
  return !out.fail();
}

// The layout's own promises, checked before anything is written.
bool LayoutIsSound(const std::vector<PayloadItem>& items) {
  size_t longest = 0;
  for (const PayloadItem& item : items)
    longest = std::max(longest, item.name.size());
  return items.size() == kEntryCount && longest == kLongestName;
}

std::string RelativePath(const std::string& name) {
  std::string path = Cp1252ToUtf8(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--kre")) {
    std::cerr << "usage: mkpayload OUTDIR [--kre FILE]\n";
    return 2;
  }
  const fs::path outDir = argv[1];
  std::string program = PlaceholderProgram();
  if (argc == 4 && !ReadWholeFile(argv[3], program))
    return Fail(std::string(argv[3]) + ": cannot read the program");

  std::vector<PayloadItem> items = CurrentBuildItems();
  if (!LayoutIsSound(items))
    return Fail("internal error: the layout lost its entry count or longest name");
  FitToImageSize(items, static_cast<int32_t>(program.size()),
                 static_cast<int32_t>(LicenceText().size()));
  std::string manifest = "# The sample payload of the current build, in archive order.\n";
  for (const PayloadItem& item : items) {
    const std::string data = item.kind == PayloadKind::Program ? program : GenerateContent(item);
    const fs::path path = outDir / "payload" / RelativePath(item.name);
    if (!WriteWholeFile(path, data))
      return Fail(path.string() + ": cannot write");
    manifest += ManifestLine(item.date, item.name);
  }
  if (!WriteWholeFile(outDir / "manifest.txt", manifest))
    return Fail((outDir / "manifest.txt").string() + ": cannot write");
  return 0;
}
