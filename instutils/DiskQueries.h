// Cluster sizes, sizes on disk, file lengths and dates, drive types and the
// removable-drive test.
#pragma once

#include <cstdint>
#include <string>

// "C:" for "C:\x", "\\server\share" for a UNC path, "" otherwise.
std::string DrivePart(const std::string& path);

// Bytes per cluster of the volume holding path; never 0.
int32_t GetClusterSize(const std::string& path);
int32_t SizeOnDisk(const std::string& path, int32_t size);
int32_t GetFileLength(const std::string& name);
double GetFileWriteDate(const std::string& name);
int GetPathDriveType(const std::string& path);
bool IsRemovableDrive(const std::string& path);
