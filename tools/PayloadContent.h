// Deterministic contents for the sample payload: text-like and binary-like
// bytes of the requested size, so that the archive has the build's size and
// compresses about as well.
#pragma once

#include "tools/PayloadLayout.h"

#include <string>

// The bytes of one item; Program gives the placeholder, Licence the licence text.
std::string GenerateContent(const PayloadItem& item);

// The French licence text, cp1252 with CR LF line ends.
std::string LicenceText();

// The labelled text that stands for kre.exe when no program is supplied.
std::string PlaceholderProgram();
