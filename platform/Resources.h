// The program's own resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

// The bytes of the resource of the given string type and name in the
// program's own file (FindResourceA, SizeofResource, LoadResource,
// LockResource); read-only, valid until exit; nullopt when absent.
std::optional<std::span<const uint8_t>> OwnResource(const char* type, const char* name);

} // namespace platform
