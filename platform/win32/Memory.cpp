// Large-block hints on Windows: large pages need a privilege a setup program
// does not hold, so the hint is ignored.
#include "platform/Memory.h"

namespace platform {

void AdviseLargeBlock(void*, size_t) {}

} // namespace platform
