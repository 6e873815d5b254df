// The open of a volume device ("\\.\E:") by the removable-drive test, which a
// test replaces (the fault seam) to play a system that refuses it: a standard
// user is refused any access right to a volume but none at all.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace platform::win32 {

using DeviceOpenFn = HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                     HANDLE);
// open until the next call; null goes back to CreateFileA.
void ReplaceDeviceOpen(DeviceOpenFn open);

} // namespace platform::win32
