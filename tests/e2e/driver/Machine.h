// Driver commands that change or read the machine around the program under
// test: a file held open so that nobody else can write it, drives plugged in
// and out through Wine's mount manager, another process's command line, and
// its worker threads held still.
#pragma once

#include "Support.h"

#include <string>

namespace driver {

// Opens (creating when missing) `path` with no sharing, prints "held", and
// keeps it open until the file `signal` exists or the timeout passes (then
// kFailed, after closing it).
int Hold(const std::wstring& path, const std::wstring& signal, DWORD timeoutMs);
// Defines drive `letter` as a removable drive on the Unix folder `unixPath`
// through the mount manager; running programs see it at once.
int DriveAdd(wchar_t letter, const std::wstring& unixPath);
// Removes drive `letter` through the mount manager.
int DriveRemove(wchar_t letter);
// "x: type" for each drive of GetLogicalDrives (type: removable fixed
// remote cdrom ramdisk unknown).
int Drives();
// Waits for a process of that executable name and prints its command line.
int CommandLine(const std::wstring& exeName, DWORD timeoutMs);
// Suspends (freeze) or resumes (thaw) every thread of the window's process
// but the one that owns the window, and prints how many (failing when there
// was none): a worker thread is thus held wherever it is while the window
// goes on answering.
int FreezeOthers(HWND window, bool freeze);

} // namespace driver
