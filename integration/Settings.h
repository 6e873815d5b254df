// The install settings kept under the user's registry key: read when the
// wizard is built, written back after it has closed.
#pragma once

#include "integration/SetupState.h"

#include <string>
#include <vector>

constexpr int32_t kAllComponents = 2147483647; // StoredComps when nothing was stored
constexpr int32_t kNoLastRunVer = 2147483647;  // LastRunVer when the word processor never ran

// Fills the install folder, the stored components with the component rows,
// the shortcut scope, the associations, the launch choice and LastRunVer.
// args are the command-line parameters without the program name; a first
// one beginning with "-d" names the install folder.
void ReadRegistrySettings(TSetupState& state, const std::vector<std::string>& args);

// Writes the Install key from the state (the component bits from the rows)
// and, unless the installation is portable, the uninstall entry.
void WriteRegistrySettings(TSetupState& state);
