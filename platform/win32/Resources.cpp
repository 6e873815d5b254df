// The program's own resources, straight from its loaded image.
#include "platform/Resources.h"

#include "platform/win32/WindowsSupport.h"

namespace platform {

std::optional<std::span<const uint8_t>> OwnResource(const char* type, const char* name) {
  HRSRC resource = FindResourceA(nullptr, name, type);
  if (!resource)
    return std::nullopt;
  const DWORD size = SizeofResource(nullptr, resource);
  HGLOBAL loaded = LoadResource(nullptr, resource);
  if (!loaded)
    return std::nullopt;
  const void* bytes = LockResource(loaded);
  if (!bytes)
    return std::nullopt;
  return std::span<const uint8_t>(static_cast<const uint8_t*>(bytes), size);
}

} // namespace platform
