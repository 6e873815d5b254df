// Portable mode and the folders installed files go to. Until an installation
// starts, portable mode is asked afresh of the install folder's drive every
// time; from its start it is the answer taken then.
#pragma once

#include "integration/SetupState.h"

#include <cstdint>
#include <string>

enum TDataFolderKind : uint8_t { dfCommon, dfHidden, dfPublic, dfSpelling };

// True when the install folder lies on a removable drive; once the
// installation has started, what it was at the start.
bool IsPortableInstall(const TSetupState& state);

// The data folder of that kind, ending in "\" and created (with its parents,
// logged as "Made Dir: "). In a portable installation every kind is the
// install folder, "Orthographe\" below it for the speller files. When the
// system names neither its common application data folder nor the user's
// documents, the data go to the install folder as in a portable installation.
std::string GetDataFolder(const TSetupState& state, TDataFolderKind kind);

// The install folder joined with name; nothing is created.
std::string GetInstallFilePath(const TSetupState& state, const std::string& name);
