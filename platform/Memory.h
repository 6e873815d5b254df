// Hints about large memory blocks the program fills once, such as the
// inflated archive image. Nothing here allocates or frees.
#pragma once

#include <cstddef>

namespace platform {

// Tells the system that the block, about to be written front to back, may
// be backed by large pages, which spares a page fault per 4 KiB touched.
// Best effort: ignored where the system offers no such hint.
void AdviseLargeBlock(void* block, size_t size);

} // namespace platform
