// Binary-like generated contents: packed dictionaries, cache records, GIF
// pictures and PCM sound.
#pragma once

#include "tools/Prng.h"

#include <cstddef>
#include <string>

// Incompressible bytes behind a short header, as packed word data is.
std::string DictionaryBytes(Prng& rng, size_t size);
// Fixed-size records with increasing keys: compresses moderately.
std::string CacheBytes(Prng& rng, size_t size);
// A GIF89a file: header, colour table, one image of LZW-like data, trailer.
std::string GifBytes(Prng& rng, size_t size);
// 16-bit PCM tones with noise behind a short header.
std::string SoundBytes(Prng& rng, size_t size);
