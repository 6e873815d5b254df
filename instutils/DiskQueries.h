// Cluster sizes, sizes on disk, file lengths and dates, drive types and the
// removable-drive test.
#pragma once

#include "instutils/Paths.h"

#include <cstdint>
#include <string>

// Bytes per cluster of the volume holding path; never 0.
int32_t GetClusterSize(const std::string& path);
// size rounded up to whole clusters of that volume (-1 gives one cluster).
int32_t SizeOnDisk(const std::string& path, int32_t size);
// size rounded up to whole clusters of cluster bytes (cluster > 0), held at
// the largest 32-bit size: SizeOnDisk for many files of one volume, which
// asks the volume once.
int32_t RoundToClusters(int32_t size, int32_t cluster);
// The low 32 bits of the file's length; -1 when it cannot be opened.
int32_t GetFileLength(const std::string& name);
// The last-write time as a local date-time in 2-second steps; the current
// time for a missing file or one whose time a DOS date cannot hold.
double GetFileWriteDate(const std::string& name);
// GetDriveTypeA of the path's drive root (drive:: values).
int GetPathDriveType(const std::string& path);
// True for removable drives, and for fixed drives on a USB or IEEE 1394 bus
// or reporting removable media; false when the device cannot be queried.
bool IsRemovableDrive(const std::string& path);
