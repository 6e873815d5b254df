// Whole-file reads and atomic whole-file replacement, and the mapping of
// Win32 errors to IoStatus.
#pragma once

#include "platform/Files.h"
#include "platform/win32/WindowsSupport.h"

namespace platform::win32 {

IoStatus StatusOfError(DWORD error);
IoStatus ReadWholeFile(const std::string& name, std::string& out);
IoStatus ReplaceFileAtomically(const std::string& path, const void* data, size_t size,
                               const FileTime* writeTimeUtc);

} // namespace platform::win32
