// The manifest of a folder tree: every file below the folder, checked against
// what an archive entry can be and placed in its component by the
// catalogue's own file lists, so that a vendor's build output can be packed.
#pragma once

#include "tools/ArchiveWriter.h"

#include <string>
#include <vector>

struct FolderFile {
  std::string path;   // UTF-8, '/'-separated, relative to the folder
  std::string name;   // cp1252, backslash-separated, as the archive stores it
  CivilDateTime when; // the file's local modification time, at 2-second steps
  int component;      // index into Components
};

// The component whose file list names the entry (cp1252 name), or -1.
int ComponentOfEntry(const std::string& name);

// Reads the tree below root into files, ordered by component and then by
// name. Every file that cannot become an entry adds one line to problems,
// naming it and saying why; false when there is any.
bool ScanFolder(const std::string& root, std::vector<FolderFile>& files,
                std::vector<std::string>& problems);

// The manifest text of scanned files: for each component a comment line with
// its name, then one line per file (see mkarchive.cpp for the format).
std::string FolderManifestText(const std::vector<FolderFile>& files);
