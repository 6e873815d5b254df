// Large-block hints on Linux: transparent huge pages for the whole pages of
// the block (the system may run in "madvise" mode, where only blocks asked
// for get them).
#include "platform/Memory.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace platform {

void AdviseLargeBlock(void* block, size_t size) {
#ifdef MADV_HUGEPAGE
  const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
  const uintptr_t begin = (uintptr_t(block) + page - 1) & ~(page - 1);
  const uintptr_t end = (uintptr_t(block) + size) & ~(page - 1);
  if (block && end > begin)
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)block;
  (void)size;
#endif
}

} // namespace platform
