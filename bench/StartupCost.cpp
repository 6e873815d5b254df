// The catalogue's start-up cost against a bare inflate, in one process so
// that both read the same mapped bytes from the same cache.
#include "bench/StartupCost.h"

#include "bench/FloorImage.h"
#include "bench/MappedFile.h"
#include "bench/Stopwatch.h"
#include "engine/AttachFiles.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool BareInflate(std::string_view compressed, double& seconds) {
  Stopwatch clock;
  size_t size = 0;
  uint8_t* image = InflateToBlock(compressed, size);
  std::free(image);
  seconds = clock.Lap();
  return size > 0;
}

bool Catalogue(std::string_view compressed, double& seconds) {
  Stopwatch clock;
  ArchiveError error = ArchiveError::None;
  bool ok = TAttachedFiles::FromCompressed(reinterpret_cast<const uint8_t*>(compressed.data()),
                                           compressed.size(), error) != nullptr;
  seconds = clock.Lap();
  return ok;
}

} // namespace

std::vector<StartupRound> MeasureStartup(const std::string& archive, int rounds,
                                         std::string& error) {
  const MappedFile compressed(archive);
  if (!compressed.Ok()) {
    error = "cannot read the archive";
    return {};
  }
  std::vector<StartupRound> measured;
  for (int round = 0; round < rounds; ++round) {
    StartupRound r;
    const bool ok = round % 2 == 0 ? BareInflate(compressed.Bytes(), r.inflateSeconds) &&
                                         Catalogue(compressed.Bytes(), r.catalogueSeconds)
                                   : Catalogue(compressed.Bytes(), r.catalogueSeconds) &&
                                         BareInflate(compressed.Bytes(), r.inflateSeconds);
    if (!ok) {
      error = "the archive is damaged";
      return {};
    }
    measured.push_back(r);
  }
  return measured;
}

bool PrintStartup(const std::string& archive, int rounds, std::string& error) {
  const std::vector<StartupRound> measured = MeasureStartup(archive, rounds, error);
  if (measured.empty()) {
    if (error.empty())
      error = "no rounds";
    return false;
  }
  for (const StartupRound& round : measured)
    std::printf("inflate %.6f\ncatalogue %.6f\n", round.inflateSeconds, round.catalogueSeconds);
  return true;
}
