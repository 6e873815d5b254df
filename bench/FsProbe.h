// The file system's current cost of creating and removing small files: on
// ext4, files created shortly after many others were removed cost several
// times their usual price, for up to a minute or more.
#pragma once

#include <string>

// Creates count files of a few bytes in a new folder under parent, removes
// them and the folder; the seconds it took, or a negative value when a file
// could not be made.
double ProbeFileSystem(const std::string& parent, int count);
