// mkarchive: builds the archive attached to the setup program, and lists any
// archive with the installer's own reader.
//
//   mkarchive pack MANIFEST PAYLOAD_DIR OUT   writes the zlib stream to OUT
//   mkarchive list ARCHIVE                    prints its entries
//   mkarchive manifest DIR [OUT]              writes the manifest of every file
//                                             below DIR to OUT (default stdout)
//
// The manifest is UTF-8 text (an initial byte-order mark is skipped), lines
// ending in LF or CR LF. Empty lines and lines starting with '#' are ignored.
// Every other line is one entry, in archive order:
//
//   YYYY-MM-DD HH:MM:SS<TAB>name
//
// The date-time is local time with whole, even seconds in the years 1980 to
// 2099 (extracted files keep dates at 2-second steps); it is stored as days
// since 30 December 1899. The name is the entry's path below the install
// folder, folders separated by backslashes, in UTF-8; it is stored in cp1252
// and must be representable there, at most 255 bytes long, unique ignoring
// case, and unable to leave its folder (no "." or ".." or empty component, no
// leading backslash, no ':' or '/'). The entry's bytes are read from
// PAYLOAD_DIR/<name with '/' separators>.
//
// "manifest" takes each file's date from its modification time (local time,
// odd seconds rounded down) and orders the files by component, then by name;
// a comment line names each component. A file that cannot be an entry (see
// above), or that no component's file list names, is reported with the
// reason, and then nothing is written.
//
// Exit status: 0 on success, 1 on a bad manifest, unreadable file or damaged
// archive (the reason goes to stderr), 2 on a usage error.
#include "tools/ArchivePack.h"
#include "tools/FolderManifest.h"
#include "tools/Manifest.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool ReadWholeFile(const std::string& path, std::string& data) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored))
    return false;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad())
    return false;
  data = content.str();
  return true;
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  out.close();
  return !out.fail();
}

int Fail(const std::string& what) {
  std::cerr << "mkarchive: " << what << "\n";
  return 1;
}

int Pack(const std::string& manifestPath, const std::string& payloadDir, const std::string& out) {
  std::string manifest;
  if (!ReadWholeFile(manifestPath, manifest))
    return Fail(manifestPath + ": cannot read the manifest");
  std::vector<ManifestEntry> entries;
  std::string error;
  if (!ParseManifest(manifest, entries, error))
    return Fail(manifestPath + ": " + error);
  auto read = [&](const std::string& path, std::string& data) {
    return ReadWholeFile(payloadDir + "/" + path, data);
  };
  std::string compressed;
  if (!PackArchive(entries, read, compressed, error))
    return Fail(error);
  if (!WriteWholeFile(out, compressed))
    return Fail(out + ": cannot write the archive");
  return 0;
}

int List(const std::string& archivePath) {
  std::string compressed;
  if (!ReadWholeFile(archivePath, compressed))
    return Fail(archivePath + ": cannot read the archive");
  std::string listing, error;
  if (!ListArchive(reinterpret_cast<const uint8_t*>(compressed.data()), compressed.size(), listing,
                   error))
    return Fail(archivePath + ": damaged archive: " + error);
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int WriteManifest(const std::string& dir, const std::string& out) {
  std::vector<FolderFile> files;
  std::vector<std::string> problems;
  if (!ScanFolder(dir, files, problems)) {
    for (const std::string& problem : problems)
      std::cerr << "mkarchive: " << problem << "\n";
    return Fail(dir + ": " + std::to_string(problems.size()) + " problem(s); nothing written");
  }
  const std::string text = FolderManifestText(files);
  std::vector<ManifestEntry> check;
  std::string error;
  if (!ParseManifest(text, check, error))
    return Fail(dir + ": the manifest would not read back: " + error);
  if (out.empty()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (!WriteWholeFile(out, text))
    return Fail(out + ": cannot write the manifest");
  return 0;
}

int Usage() {
  std::cerr << "usage: mkarchive pack MANIFEST PAYLOAD_DIR OUT\n"
               "       mkarchive list ARCHIVE\n"
               "       mkarchive manifest DIR [OUT]\n";
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "pack" && argc == 5)
    return Pack(argv[2], argv[3], argv[4]);
  if (command == "list" && argc == 3)
    return List(argv[2]);
  if (command == "manifest" && (argc == 3 || argc == 4))
    return WriteManifest(argv[2], argc == 4 ? argv[3] : "");
  return Usage();
}
