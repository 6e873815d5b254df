// Directory entries through FindFirstFileA / FindNextFileA.
#pragma once

#include "platform/Files.h"

namespace platform::win32 {

bool ListFolder(const std::string& folder, std::vector<DirEntry>& out);
std::optional<DirEntry> FindEntry(const std::string& name);

} // namespace platform::win32
