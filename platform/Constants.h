// Named Win32 values the system uses, as its own constants, so that code above
// the platform layer never needs <windows.h>.
#pragma once

#include <cstdint>

namespace csidl {
constexpr int kPrograms = 0x02;
constexpr int kPersonal = 0x05;
constexpr int kDesktopDirectory = 0x10;
constexpr int kCommonPrograms = 0x17;
constexpr int kCommonDesktopDirectory = 0x19;
constexpr int kCommonAppData = 0x23;
constexpr int kProgramFiles = 0x26;
} // namespace csidl

// GetDriveTypeA results.
namespace drive {
constexpr int kUnknown = 0;
constexpr int kNoRootDir = 1;
constexpr int kRemovable = 2;
constexpr int kFixed = 3;
constexpr int kRemote = 4;
constexpr int kCdRom = 5;
constexpr int kRamDisk = 6;
} // namespace drive

// STORAGE_BUS_TYPE values reported by IOCTL_STORAGE_QUERY_PROPERTY.
namespace bus {
constexpr uint8_t k1394 = 4;
constexpr uint8_t kUsb = 7;
} // namespace bus

// Dialog results (IDOK ... IDNO).
namespace dlg {
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;
constexpr int kYes = 6;
constexpr int kNo = 7;
} // namespace dlg

// Win32 file attribute bits reported in directory listings.
namespace attr {
constexpr uint32_t kReadOnly = 0x01;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kSystem = 0x04;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
constexpr uint32_t kNormal = 0x80;
constexpr uint32_t kReparsePoint = 0x400;
} // namespace attr

// Registry value types.
namespace regtype {
constexpr uint32_t kNone = 0;
constexpr uint32_t kSz = 1;
constexpr uint32_t kExpandSz = 2;
constexpr uint32_t kBinary = 3;
constexpr uint32_t kDword = 4;
} // namespace regtype

// ShowWindow commands passed to WinExec.
namespace show {
constexpr int kShow = 5;
} // namespace show
