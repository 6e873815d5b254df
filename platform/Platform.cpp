// The services in force and their scoped replacement.
#include "platform/Platform.h"

namespace platform {
namespace {
const Platform* current = nullptr;
} // namespace

const Platform& Current() {
  return current ? *current : Native();
}

ScopedPlatform::ScopedPlatform(const Platform& replacement)
    : previous_(current), replacement_(replacement) {
  current = &replacement_;
}

ScopedPlatform::~ScopedPlatform() {
  current = previous_;
}

} // namespace platform
