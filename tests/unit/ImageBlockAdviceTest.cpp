// The large-block hint given to the inflated image's block: asked for every
// block inflation writes into, before it writes, and harmless to the bytes.
#include "engine/ArchiveReader.h"
#include "platform/Memory.h"
#include "support/ArchiveBuilder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Advised {
  const uint8_t* block;
  size_t size;
  std::vector<uint8_t> firstBytes; // what the block held when advised
};

std::vector<Advised> advised;

void Record(void* block, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(block);
  advised.push_back({bytes, size, std::vector<uint8_t>(bytes, bytes + std::min<size_t>(size, 4))});
}

ArchiveError Inflate(const std::string& stream, InflatedImage& out, BlockAdvice advise) {
  return InflateArchive(reinterpret_cast<const uint8_t*>(stream.data()), stream.size(), out,
                        advise);
}

TEST(ImageBlockAdvice, EveryBlockIsAdvisedWholeBeforeInflationGrowsIntoIt) {
  std::string image;
  for (int i = 0; image.size() < 400000; ++i)
    image += "Ligne " + std::to_string(i % 50) + " du modèle\r\n";
  const std::string stream = Deflate(image);
  advised.clear();
  InflatedImage inflated;
  ASSERT_EQ(Inflate(stream, inflated, Record), ArchiveError::None);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(inflated.data.get()), size_t(inflated.size)),
            image);

  ASSERT_GE(advised.size(), 2u); // the first block and at least one growth
  EXPECT_EQ(advised.front().size, 5 * stream.size());
  const size_t step = (stream.size() + 255) & ~size_t(255);
  for (size_t i = 1; i < advised.size(); ++i) {
    EXPECT_EQ(advised[i].size, advised[i - 1].size + step) << "growth " << i;
    // A grown block keeps what was already inflated: its start is the image's start.
    EXPECT_EQ(std::memcmp(advised[i].firstBytes.data(), image.data(), 4), 0) << "growth " << i;
  }
}

TEST(ImageBlockAdvice, NoAdviceIsAsked) {
  const std::string image = ArchiveBuilder().Add("a.txt", "hello").Image();
  InflatedImage inflated;
  ASSERT_EQ(Inflate(Deflate(image), inflated, nullptr), ArchiveError::None);
  EXPECT_EQ(inflated.size, int32_t(image.size()));
}

TEST(ImageBlockAdvice, ThePlatformHintKeepsTheBytesOfAnyBlock) {
  for (size_t size : {size_t(0), size_t(1), size_t(4095), size_t(4097), size_t(8) << 20}) {
    auto* block = static_cast<uint8_t*>(std::malloc(size + 3));
    ASSERT_NE(block, nullptr);
    for (size_t i = 0; i < size + 3; ++i)
      block[i] = uint8_t(i * 7);
    platform::AdviseLargeBlock(block + 3, size); // an unaligned start as well
    for (size_t i = 0; i < size + 3; ++i)
      ASSERT_EQ(block[i], uint8_t(i * 7)) << "size " << size << " byte " << i;
    std::free(block);
  }
  platform::AdviseLargeBlock(nullptr, 0);
}

// The platform's first block must behave as a malloc block: inflation grows
// it with realloc and the image releases it with free (ASan checks both).
TEST(ImageBlockAdvice, ThePlatformBlockGrowsAndIsReleasedLikeAMallocBlock) {
  std::string image;
  for (uint32_t i = 0; image.size() < (size_t(5) << 20); ++i)
    image += "Ligne " + std::to_string(i % 997) + " du modèle\r\n"; // grows many times
  const std::string stream = Deflate(image);
  InflatedImage inflated;
  ASSERT_EQ(InflateArchive(reinterpret_cast<const uint8_t*>(stream.data()), stream.size(), inflated,
                           platform::AdviseLargeBlock, platform::AllocateLargeBlock),
            ArchiveError::None);
  ASSERT_EQ(size_t(inflated.size), image.size());
  EXPECT_EQ(std::memcmp(inflated.data.get(), image.data(), image.size()), 0);

  void* small = platform::AllocateLargeBlock(16);
  ASSERT_NE(small, nullptr);
  void* grown = std::realloc(small, size_t(3) << 20);
  ASSERT_NE(grown, nullptr);
  std::free(grown);
}

} // namespace
