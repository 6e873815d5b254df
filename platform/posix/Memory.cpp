// Large-block hints on Linux: transparent huge pages for the whole pages of
// the block (the system may run in "madvise" mode, where only blocks asked
// for get them).
#include "platform/Memory.h"

#include <cstdint>
#include <cstdlib>
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

// A malloc block starts anywhere, and the pages before its first 2 MiB
// boundary (up to 511 of them) would each still fault on their own: a block
// of at least one large page starts on such a boundary instead.
void* AllocateLargeBlock(size_t size) {
  constexpr size_t kLargePage = size_t(2) << 20;
  void* block = nullptr;
  if (size < kLargePage)
    return std::malloc(size);
  return posix_memalign(&block, kLargePage, size) == 0 ? block : nullptr;
}

} // namespace platform
