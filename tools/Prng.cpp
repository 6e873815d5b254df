// SplitMix64, seeded through FNV-1a for text seeds.
#include "tools/Prng.h"

Prng::Prng(const std::string& seedText) : state_(0xCBF29CE484222325ULL) {
  for (unsigned char c : seedText)
    state_ = (state_ ^ c) * 0x100000001B3ULL;
}

uint64_t Prng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

int Prng::Range(int low, int high) {
  const uint64_t span = uint64_t(int64_t(high) - low + 1);
  return low + static_cast<int>(Next() % span);
}
