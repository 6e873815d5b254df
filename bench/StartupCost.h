// What the setup program does with its archive before the wizard appears,
// against the least it could do: TAttachedFiles::FromCompressed (inflate and
// index) beside a bare inflate of the same stream into one block.
#pragma once

#include <string>
#include <vector>

struct StartupRound {
  double inflateSeconds = 0;   // the bare inflate
  double catalogueSeconds = 0; // inflate and index, the catalogue released after
};

// rounds alternating pairs, the order swapped every round; empty with error
// set when the archive cannot be read or is damaged.
std::vector<StartupRound> MeasureStartup(const std::string& archive, int rounds,
                                         std::string& error);

// Measures and prints each round as "inflate S" and "catalogue S" lines, the
// output both bench programs give; false with error set when nothing could
// be measured.
bool PrintStartup(const std::string& archive, int rounds, std::string& error);
