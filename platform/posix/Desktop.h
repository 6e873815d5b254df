// The emulated desktop: the top-level windows of running programs, each
// program's windows recorded as the file <root>/windows/<pid> holding one
// "name=value" line per window property. A record whose process has ended
// is ignored. Posix only; the stand-in word processor registers its window
// here so that the setup finds a running copy.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace platform::posix {

// Registers (or replaces) the top-level window of this process on the desktop
// of the machine at machineRoot, carrying the given properties; false when
// the record could not be written.
bool RegisterTopLevelWindow(const std::string& machineRoot,
                            const std::map<std::string, uint64_t>& properties);
// Removes this process's window from that desktop.
void UnregisterTopLevelWindow(const std::string& machineRoot);
// True when a window of a live process carries a non-zero property of that
// name (property names compare ignoring case, like atoms).
bool AnyTopLevelWindowHasProperty(const std::string& machineRoot, const std::string& name);

} // namespace platform::posix
