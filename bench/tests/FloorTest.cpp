// The floor program writes every entry of the archive, byte for byte, under
// its output folder, and fails on an archive it cannot read.
#include "BenchArchives.h"
#include "TempFolder.h"
#include "engine/ArchiveReader.h"
#include "tools/Cp1252.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

int RunFloor(const std::string& archive, const std::string& out) {
  const std::string command = std::string(BENCH_FLOOR) + " '" + archive + "' '" + out + "'";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Floor, WritesEveryEntryWithItsBytes) {
  TempFolder out;
  const std::string& archive = ScaleArchiveFile(300);
  ASSERT_EQ(RunFloor(archive, out.Path()), 0);

  const std::string compressed = ReadFile(archive);
  InflatedImage image;
  std::vector<ArchiveRecord> records;
  ASSERT_EQ(
      InflateArchive(reinterpret_cast<const uint8_t*>(compressed.data()), compressed.size(), image),
      ArchiveError::None);
  ASSERT_EQ(IndexArchive(image.data.get(), image.size, records), ArchiveError::None);
  ASSERT_EQ(records.size(), 300u);
  for (const ArchiveRecord& r : records) {
    std::string path = Cp1252ToUtf8(r.name);
    std::replace(path.begin(), path.end(), '\\', '/');
    const std::string expected(reinterpret_cast<const char*>(image.data.get()) + r.offset,
                               size_t(r.size));
    ASSERT_EQ(ReadFile(out.Path() + "/" + path), expected) << r.name;
  }
}

TEST(Floor, FailsOnAnArchiveItCannotUse) {
  TempFolder out;
  const std::string damaged = out.Path() + "/damaged.z";
  std::ofstream(damaged, std::ios::binary) << "not a zlib stream";
  EXPECT_NE(RunFloor(damaged, out.Path() + "/a"), 0);
  EXPECT_NE(RunFloor(out.Path() + "/absent.z", out.Path() + "/b"), 0);
}

} // namespace
