// Large memory blocks the program fills once, such as the inflated archive
// image: how to obtain them and what to tell the system about them.
#pragma once

#include <cstddef>

namespace platform {

// Tells the system that the block, about to be written front to back, may
// be backed by large pages, which spares a page fault per 4 KiB touched.
// Best effort: ignored where the system offers no such hint.
void AdviseLargeBlock(void* block, size_t size);

// A block of size bytes, placed so that the large-page hint can cover it from
// its first byte (where the system has such pages); released by free, grown
// by realloc like any malloc block. Null when there is not enough memory.
void* AllocateLargeBlock(size_t size);

} // namespace platform
