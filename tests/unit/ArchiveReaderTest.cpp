// Inflating and indexing the attached archive: the record layout, the growth
// of the output block, and every kind of damage the reader must refuse.
#include "engine/ArchiveReader.h"

#include "support/ArchiveBuilder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

ArchiveError Inflate(const std::string& stream, InflatedImage& image) {
  return InflateArchive(Bytes(stream), stream.size(), image);
}

ArchiveError Index(const std::string& image, std::vector<ArchiveRecord>& records) {
  return IndexArchive(Bytes(image), static_cast<int32_t>(image.size()), records);
}

std::string ImageText(const InflatedImage& image) {
  return std::string(reinterpret_cast<const char*>(image.data.get()), image.size);
}

TEST(ArchiveRecords, TheFormatExampleRecordIs26BytesWithTheDocumentedDate) {
  std::vector<ArchiveRecord> records;
  const std::string image = std::string("\x0D") + "userdicen.tlx" +
                            std::string("\xE3\x4E\x10\xA7\x52\x3B\xE2\x40", 8) +
                            std::string(4, '\0');
  ASSERT_EQ(image.size(), 26u);
  ASSERT_EQ(Index(image, records), ArchiveError::None);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "userdicen.tlx");
  EXPECT_EQ(records[0].date, 37338.58289351852);
  EXPECT_EQ(records[0].size, 0);
  EXPECT_EQ(records[0].offset, 26);
}

TEST(ArchiveRecords, SmallestRecordHasAnEmptyNameAndNoData) {
  ArchiveBuilder archive;
  archive.Add("");
  std::vector<ArchiveRecord> records;
  ASSERT_EQ(archive.Image().size(), 13u);
  ASSERT_EQ(Index(archive.Image(), records), ArchiveError::None);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "");
  EXPECT_EQ(records[0].offset, 13);
}

TEST(ArchiveRecords, ZeroSizeEntryBetweenTwoOthersKeepsTheirOffsets) {
  ArchiveBuilder archive;
  archive.Add("a.txt", "AAAA").Add("empty.tlx").Add("b.txt", "BB");
  std::vector<ArchiveRecord> records;
  ASSERT_EQ(Index(archive.Image(), records), ArchiveError::None);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].offset, 18);
  EXPECT_EQ(records[1].offset, 22 + 13 + 9);
  EXPECT_EQ(records[1].size, 0);
  EXPECT_EQ(records[2].offset, 44 + 13 + 5);
  EXPECT_EQ(archive.Image().substr(records[2].offset, 2), "BB");
}

TEST(ArchiveRecords, NameOf255BytesIndexes) {
  const std::string name = std::string(120, 'a') + "\\" + std::string(134, 'b');
  ASSERT_EQ(name.size(), 255u);
  ArchiveBuilder archive;
  archive.Add(name, "xyz").Add("next", "1");
  std::vector<ArchiveRecord> records;
  ASSERT_EQ(Index(archive.Image(), records), ArchiveError::None);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].name, name);
  EXPECT_EQ(records[0].offset, 13 + 255);
  EXPECT_EQ(records[1].name, "next");
}

TEST(ArchiveRecords, EmptyImageIsAWellFormedArchiveWithoutEntries) {
  std::vector<ArchiveRecord> records{{"stale", 0, 0, 0}};
  EXPECT_EQ(Index("", records), ArchiveError::None);
  EXPECT_TRUE(records.empty());
}

TEST(ArchiveDamage, RecordsReachingPastTheImageAreRefused) {
  struct Case {
    const char* what;
    std::string image;
  };
  const std::string whole = ArchiveBuilder().Add("a.txt", "data").Image();
  const std::vector<Case> cases = {
      {"final size points past the end",
       ArchiveBuilder().Add("a", "x").AddDeclared("b", 5, "1234").Image()},
      {"fixed fields cut short", whole.substr(0, 10)},
      {"name longer than the rest", std::string("\xFF") + "abc"},
      {"one stray byte after a record", whole + "\x01"},
      {"size just past the end", ArchiveBuilder().AddDeclared("a", 2, "x").Image()},
      {"largest positive size", ArchiveBuilder().AddDeclared("a", INT32_MAX, "x").Image()},
      {"negative size", ArchiveBuilder().AddDeclared("a", -14, "").Image()},
  };
  for (const Case& c : cases) {
    std::vector<ArchiveRecord> records;
    EXPECT_EQ(Index(c.image, records), ArchiveError::BadRecord) << c.what;
    EXPECT_TRUE(records.empty()) << c.what << ": no entry may survive a damaged image";
  }
}

TEST(ArchiveDamage, UnsafeNamesMakeTheArchiveDamaged) {
  for (const char* name :
       {"..\\evil.exe", "a\\..\\..\\b", ".\\a", "\\Windows\\x", "C:x", "C:\\x", "a/b", "a\\\\b",
        "a\\", "..", "a\\.. \\b", "a\\...\\b", "a\tb", "file.txt:stream"}) {
    std::vector<ArchiveRecord> records;
    const std::string image = ArchiveBuilder().Add("ok.txt", "1").Add(name, "x").Image();
    EXPECT_EQ(Index(image, records), ArchiveError::UnsafeName) << name;
    EXPECT_TRUE(records.empty()) << name;
  }
}

TEST(ArchiveNames, OrdinaryNamesAreSafe) {
  for (const char* name : {"kre.exe", "Modèles de document\\Mémos\\Mémo interne.mdl",
                           "Collections d'inserts\\En-têtes & pieds de page\\x.ins",
                           "English (American).asc", "a..b", ".profile", "a\\b.c\\d", ""}) {
    EXPECT_TRUE(IsSafeEntryName(name)) << name;
  }
}

TEST(ArchiveInflate, StreamInflatesToTheExactImage) {
  const std::string image = ArchiveBuilder().Add("a.txt", "hello").Add("b", "").Image();
  InflatedImage inflated;
  ASSERT_EQ(Inflate(Deflate(image), inflated), ArchiveError::None);
  EXPECT_EQ(ImageText(inflated), image);
}

TEST(ArchiveInflate, ImageLargerThanFiveTimesTheStreamGrowsToItsExactSize) {
  // Repetitive data compresses far better than 5:1, so the first block is
  // too small and must grow many times.
  std::string image;
  for (int i = 0; image.size() < 400000; ++i)
    image += "Ligne " + std::to_string(i % 50) + " du modèle\r\n";
  image += "fin";
  const std::string stream = Deflate(image);
  ASSERT_GT(image.size(), 5 * stream.size() + 10 * ((stream.size() + 255) & ~size_t(255)));
  InflatedImage inflated;
  ASSERT_EQ(Inflate(stream, inflated), ArchiveError::None);
  EXPECT_EQ(inflated.size, static_cast<int32_t>(image.size()));
  EXPECT_TRUE(ImageText(inflated) == image);
}

TEST(ArchiveInflate, IncompressibleImageIsShrunkToItsExactSize) {
  // Stored (level 0) blocks make the stream slightly larger than the image,
  // so most of the 5-fold first block is left over and must be given back.
  const std::string image = NoiseBytes(100000);
  InflatedImage inflated;
  ASSERT_EQ(Inflate(Deflate(image, 0), inflated), ArchiveError::None);
  EXPECT_TRUE(ImageText(inflated) == image);
}

TEST(ArchiveInflate, EmptyImageInflatesToZeroBytes) {
  InflatedImage inflated;
  ASSERT_EQ(Inflate(Deflate(""), inflated), ArchiveError::None);
  EXPECT_EQ(inflated.size, 0);
}

TEST(ArchiveInflate, StreamThatStopsEarlyIsTruncated) {
  const std::string stream = Deflate(NoiseBytes(20000) + std::string(200000, 'z'));
  for (size_t keep :
       {size_t(0), size_t(1), size_t(2), stream.size() / 3, stream.size() - 4, stream.size() - 1}) {
    InflatedImage inflated;
    EXPECT_EQ(Inflate(stream.substr(0, keep), inflated), ArchiveError::Truncated) << keep;
    EXPECT_EQ(inflated.data, nullptr);
  }
}

TEST(ArchiveInflate, CorruptStreamsAreZlibErrors) {
  std::string badChecksum = Deflate("quelques octets");
  badChecksum.back() ^= 0x01;
  std::string badHeader = Deflate("quelques octets");
  badHeader[1] = 0x00;
  std::string badBlock = Deflate(NoiseBytes(4000), 0);
  badBlock[2] = static_cast<char>(0x07); // reserved block type
  for (const std::string& stream : {badChecksum, badHeader, badBlock}) {
    InflatedImage inflated;
    EXPECT_EQ(Inflate(stream, inflated), ArchiveError::ZlibError);
    EXPECT_EQ(inflated.data, nullptr);
  }
}

TEST(ArchiveInflate, BytesAfterTheStreamAreIgnored) {
  const std::string image = ArchiveBuilder().Add("a", "1").Image();
  InflatedImage inflated;
  ASSERT_EQ(Inflate(Deflate(image) + "padding", inflated), ArchiveError::None);
  EXPECT_EQ(ImageText(inflated), image);
}

} // namespace
