// Text-like generated contents (cp1252, CR LF line ends).
#pragma once

#include "tools/Prng.h"

#include <cstddef>
#include <string>

std::string ProseText(Prng& rng, size_t size);
std::string WordListText(Prng& rng, size_t size);
std::string HyphenationText(Prng& rng, size_t size);
// Document markup with a title and formatted paragraphs of prose.
std::string MarkupText(Prng& rng, size_t size, const std::string& title);
