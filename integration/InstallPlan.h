// The install plan: which archive entries go where, with which overwrite
// policy and whether they are logged; the removal of obsolete images of old
// versions; and the install stamp.
#pragma once

#include "engine/AttachFiles.h"
#include "integration/SetupState.h"

#include <string>

// LastRunVer below which the insert collections are installed even when
// unticked, and below which their obsolete images are removed.
constexpr int32_t kForceInsertsBelow = 20004000;
constexpr int32_t kRemoveOldImagesBelow = 30000000;

// Builds the plan of the selected components into files, replacing any
// earlier plan. A normal installation replaces every planned file and
// writes the install stamp; a portable one honours each file's own mode.
void PrepareInstall(TSetupState& state, TAttachedFiles& files);

// Removes the bullet and tick images old versions kept in the insert
// collections under base (the user's documents folder + "Brevanto", or the
// install folder of a portable installation).
void RemoveObsoleteImages(const std::string& base);
