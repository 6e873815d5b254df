// The document associations: the letters of Extensions ("A" RTF, "B" COD,
// "C" DOC, "D" DOCX), the four boxes of the associations page, and the
// command that has the installed word processor register them.
#pragma once

#include "integration/SetupState.h"

#include <string>

// Ticks each box exactly when its upper-case letter occurs in Extensions.
void SetAssocBoxesFromExtensions(TSetupState& state);
// Rebuilds Extensions from the ticked boxes, letters in the order A, B, C, D.
void SetExtensionsFromAssocBoxes(TSetupState& state);
// The quoted path of kre.exe, a space, "-assoc adpr" and one suffix per ticked box.
std::string AssociationCommandLine(const TSetupState& state);
// The quoted path of kre.exe alone.
std::string LaunchCommandLine(const TSetupState& state);
