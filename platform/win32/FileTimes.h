// Conversions between the platform's FileTime and the Win32 FILETIME.
#pragma once

#include "platform/FileTime.h"
#include "platform/win32/WindowsSupport.h"

namespace platform::win32 {

inline FILETIME ToFiletime(FileTime t) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(t);
  ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
  return ft;
}

inline FileTime FromFiletime(const FILETIME& ft) {
  return (FileTime(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

} // namespace platform::win32
