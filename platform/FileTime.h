// The Windows FILETIME: 100-nanosecond intervals since 1 January 1601 (UTC
// unless a name says local).
#pragma once

#include <cstdint>

namespace platform {
using FileTime = uint64_t;
} // namespace platform
