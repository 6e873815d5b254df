// A small deterministic generator (SplitMix64) for the sample payload: the
// same seed gives the same bytes on every machine and every run.
#pragma once

#include <cstdint>
#include <string>

class Prng {
public:
  explicit Prng(uint64_t seed) : state_(seed) {}
  // Seeded from a text, so that each entry's bytes depend only on its name.
  explicit Prng(const std::string& seedText);

  uint64_t Next();
  // A number in [low, high].
  int Range(int low, int high);

private:
  uint64_t state_;
};
