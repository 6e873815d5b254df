// The attached archive: one zlib stream whose inflated image is a flat
// sequence of records (name length, cp1252 name, date, size, data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

enum class ArchiveError {
  None,
  Missing,    // no archive resource
  ZlibError,  // zlib reported an error
  Truncated,  // the input ended before the end of the stream
  TooLarge,   // the image would exceed the signed 32-bit range
  BadRecord,  // a record or its data extends past the image, or a negative size
  UnsafeName, // a name that could leave its destination folder
  OutOfMemory,
};

// French-free, ASCII description for tools and logs.
const char* DescribeArchiveError(ArchiveError error);

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
using ImageBlock = std::unique_ptr<uint8_t[], FreeDeleter>;

struct InflatedImage {
  ImageBlock data;
  int32_t size = 0;
};

struct ArchiveRecord {
  std::string name;
  double date;
  int32_t size;
  int32_t offset;
};

// Called with each block the image is inflated into, before inflation
// writes to it (the platform's large-block hint); may be null.
using BlockAdvice = void (*)(void* block, size_t size);
// Gives the image's first block (the platform's large-block allocation); what
// it returns must be released by free and may be grown by realloc. Null
// means malloc.
using BlockAllocator = void* (*)(size_t size);

// Inflates a whole zlib stream into one block: first capacity 5 times the
// compressed size, growing by the compressed size rounded up to 256, then
// shrunk to the exact size. Empty input is Truncated; input above 2 GiB or an
// image above INT32_MAX bytes is TooLarge. Bytes after the stream's end are
// ignored. On failure out is empty.
ArchiveError InflateArchive(const uint8_t* compressed, size_t compressedSize, InflatedImage& out,
                            BlockAdvice advise = nullptr, BlockAllocator allocate = nullptr);

// Walks the records of an inflated image in order. An image of 0 bytes is a
// well-formed archive with no entries. On failure out is empty.
ArchiveError IndexArchive(const uint8_t* image, int32_t size, std::vector<ArchiveRecord>& out);

// True when a name can be joined to a destination folder without leaving it:
// no leading backslash, no '/', no ':' (drive letters, streams), no control
// character, and no component that is empty or made only of dots and spaces
// (Windows trims those, so ".. " acts as ".."). The empty name is accepted:
// it names the folder itself and the format allows it.
bool IsSafeEntryName(const std::string& name);
