// The program's own resources natively: the "FILES" archive, taken from the
// file named by $BREVANTO_FILES when set, else from the data the setup
// program links in (resources/archive_blob.S). Other programs link no data:
// the weak symbols then stay null.
#include "platform/Resources.h"
#include "platform/posix/HostIo.h"

#include <cstdlib>
#include <string>
#include <strings.h>

extern "C" {
extern const uint8_t brevanto_resource_FILES[] __attribute__((weak));
extern const uint8_t brevanto_resource_FILES_end[] __attribute__((weak));
}

namespace platform {
namespace {

// Read once and kept until exit, like a loaded resource.
const std::optional<std::string>& ArchiveFromEnvironment() {
  static const std::optional<std::string> bytes = []() -> std::optional<std::string> {
    const char* file = std::getenv("BREVANTO_FILES");
    if (!file || !*file)
      return std::nullopt;
    return posix::ReadHostFile(file);
  }();
  return bytes;
}

} // namespace

std::optional<std::span<const uint8_t>> OwnResource(const char* type, const char* name) {
  if (!type || !name || strcasecmp(type, "FILES") != 0 || strcasecmp(name, "FILES") != 0)
    return std::nullopt;
  if (const auto& bytes = ArchiveFromEnvironment())
    return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
  const uint8_t* begin = brevanto_resource_FILES;
  const uint8_t* end = brevanto_resource_FILES_end;
  if (!begin || !end || end < begin)
    return std::nullopt;
  return std::span<const uint8_t>(begin, size_t(end - begin));
}

} // namespace platform
