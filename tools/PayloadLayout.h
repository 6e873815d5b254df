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
  int32_t size; // bytes of the entry's data
  CivilDateTime date;
};

// The inflated size of the current build's archive, which the sample keeps
// whatever program it ships.
constexpr int64_t kCurrentBuildImageBytes = 6681581;

// The entries with their planned sizes; the program and the licence are
// sized by FitToImageSize.
std::vector<PayloadItem> CurrentBuildItems();

// Gives the program and the licence their sizes, and scales the large
// generated files so that the archive image totals kCurrentBuildImageBytes.
// A program too large for that leaves each of them a quarter of its planned
// size, and the image is larger.
void FitToImageSize(std::vector<PayloadItem>& items, int32_t programBytes, int32_t licenceBytes);
