// The packer's manifest: which payload files make up the archive, in which
// order, under which names and with which dates. The format is described at
// the top of mkarchive.cpp.
#pragma once

#include "tools/ArchiveWriter.h"

#include <string>
#include <vector>

struct ManifestEntry {
  std::string name; // cp1252, backslash-separated, as stored in the archive
  std::string path; // UTF-8, '/'-separated, relative to the payload folder
  double date;      // day count stored in the archive
};

// Parses a whole manifest; false with "line N: why" on the first bad line.
bool ParseManifest(const std::string& text, std::vector<ManifestEntry>& entries,
                   std::string& error);

// One manifest line (with its LF) for a cp1252 name.
std::string ManifestLine(const CivilDateTime& when, const std::string& name);
