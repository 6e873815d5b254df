// Generated archives for the scale benchmarks: the sample's top-level files
// in the sample's places (nine first, five last), and between them mostly
// small files spread over the sample's folders (the same depth), with one
// large file in every thousand entries.
#pragma once

#include <string>

// The compressed archive of entryCount entries (at least the 14 top-level
// files of the sample); false with why when it cannot be built.
bool BuildScaleArchive(int entryCount, std::string& compressed, std::string& error);
