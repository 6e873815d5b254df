// The floor's two steps that do not touch the file system: inflating the
// archive's zlib stream into one block, and walking its entry records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

// The inflated image in one block (release it with std::free); null, or a
// size of 0, when the stream is damaged.
uint8_t* InflateToBlock(std::string_view compressed, size_t& size);

// Calls write(cp1252 name with backslashes, bytes, size) for every entry in
// archive order; false on a damaged record or when write returns false.
using EntryWriter = std::function<bool(std::string_view name, const uint8_t* data, size_t size)>;
bool ForEachEntry(const uint8_t* image, size_t size, const EntryWriter& write);
