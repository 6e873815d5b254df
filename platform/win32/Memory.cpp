// Large blocks on Windows: large pages need a privilege a setup program does
// not hold, so the hint is ignored and the block is a plain malloc block.
#include "platform/Memory.h"

#include <cstdlib>

namespace platform {

void AdviseLargeBlock(void*, size_t) {}

void* AllocateLargeBlock(size_t size) {
  return std::malloc(size);
}

} // namespace platform
