// Packing a manifest's payload into an archive, and listing any archive with
// the installer's own reader.
#pragma once

#include "tools/Manifest.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Reads one payload file (path relative to the payload folder); false when it cannot.
using ReadPayloadFile = std::function<bool(const std::string& path, std::string& data)>;

// The compressed archive of the entries, in their order; false with why.
bool PackArchive(const std::vector<ManifestEntry>& entries, const ReadPayloadFile& read,
                 std::string& compressed, std::string& error);

// One line per entry, tab-separated: data offset, size, date (%.17g), raw
// cp1252 name; then "N entries, M bytes" with M the inflated size. False with
// why when the archive is damaged.
bool ListArchive(const uint8_t* data, size_t size, std::string& listing, std::string& error);
