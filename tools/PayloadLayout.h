// The entries of the current build's archive, in archive order: names,
// folders, kinds of content, sizes and dates of the sample payload.
#pragma once

#include "tools/ArchiveWriter.h"

#include <cstdint>
#include <string>
#include <vector>

enum class PayloadKind {
  Program,     // kre.exe: a placeholder unless a real program is supplied
  Licence,     // the licence text
  WordList,    // .asc: one word per line
  Dictionary,  // .zlx: compressed word data
  Cache,       // fixed-size binary records
  Empty,       // the user dictionaries start empty
  Template,    // document templates
  Insert,      // text inserts
  Image,       // GIF pictures
  Sound,       // PCM samples
  Hyphenation, // hyphenation patterns
};

struct PayloadItem {
  std::string name; // cp1252, backslash-separated
  PayloadKind kind;
  int32_t size; // bytes to generate; ignored for Program and Licence
  CivilDateTime date;
};

std::vector<PayloadItem> CurrentBuildItems();
