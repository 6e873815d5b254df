// The entry of a normal installation in the system's list of installed
// programs, and the size it reports.
#pragma once

#include "integration/Registry.h"
#include "integration/SetupState.h"

#include <cstdint>
#include <string>

// Disk space of the folder tree in KB: each file raised to whole clusters of
// the folder's drive, then cut down to whole KB. A file that cannot be opened
// counts one cluster. Folder links are not followed. 0 for a missing folder;
// at most INT32_MAX.
int32_t GetFolderSizeKB(const std::string& folder);

// Switches reg to HKEY_LOCAL_MACHINE and writes the six values of the
// uninstall key, in their fixed order.
void WriteUninstallEntry(TRegistry& reg, const TSetupState& state);
