// The archive tools: dates as day counts, the manifest, packing and listing,
// cp1252 names, and the layout and contents of the sample payload.
#include "tools/ArchivePack.h"
#include "tools/Cp1252.h"
#include "tools/Manifest.h"
#include "tools/PayloadContent.h"
#include "tools/PayloadLayout.h"

#include "instutils/DateTime.h"
#include "support/ArchiveBuilder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

double DateOf(const CivilDateTime& when) {
  double days = 0;
  std::string error;
  EXPECT_TRUE(EncodeArchiveDate(when, days, error)) << error;
  return days;
}

bool Refused(const CivilDateTime& when) {
  double days = 0;
  std::string error;
  return !EncodeArchiveDate(when, days, error) && !error.empty();
}

TEST(ArchiveDates, DayCountsMatchTheInstallersOwnDates) {
  EXPECT_EQ(DateOf({2002, 3, 23, 13, 59, 22}), 37338.58289351852);
  EXPECT_EQ(DateOf({1980, 1, 1, 0, 0, 0}), 29221.0);
  for (const CivilDateTime& t :
       {CivilDateTime{2002, 3, 23, 13, 59, 22}, CivilDateTime{2000, 2, 29, 23, 59, 58},
        CivilDateTime{2099, 12, 31, 12, 30, 2}, CivilDateTime{2012, 10, 28, 2, 46, 40}}) {
    const double days = DateOf(t);
    EXPECT_EQ(days, EncodeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, 0));
    // An extracted file gets its date through the DOS form and must compare
    // equal to the entry afterwards.
    DosDateTime dos{};
    ASSERT_TRUE(DateTimeToDos(days, dos));
    EXPECT_EQ(DosToDateTime(dos), days);
  }
}

TEST(ArchiveDates, DatesAFileCannotHoldAreRefused) {
  EXPECT_TRUE(Refused({2002, 3, 23, 13, 59, 23}));
  EXPECT_TRUE(Refused({1979, 12, 31, 23, 59, 58}));
  EXPECT_TRUE(Refused({2100, 1, 1, 0, 0, 0}));
  EXPECT_TRUE(Refused({2001, 2, 29, 0, 0, 0}));
  EXPECT_TRUE(Refused({2001, 13, 1, 0, 0, 0}));
  EXPECT_TRUE(Refused({2001, 1, 1, 24, 0, 0}));
}

TEST(ArchiveRecordWriter, WritesTheFormatExampleRecord) {
  std::string image, error;
  ASSERT_TRUE(AppendRecord(image, "userdicen.tlx", 37338.58289351852, "", error));
  EXPECT_EQ(image, std::string("\x0D") + "userdicen.tlx" +
                       std::string("\xE3\x4E\x10\xA7\x52\x3B\xE2\x40", 8) + std::string(4, '\0'));
}

TEST(ArchiveRecordWriter, RefusesNamesTheReaderWouldRefuse) {
  std::string image, error;
  for (const std::string& name :
       {std::string(""), std::string(256, 'a'), std::string("..\\x"), std::string("C:\\x")})
    EXPECT_FALSE(AppendRecord(image, name, 0, "", error)) << name;
  EXPECT_TRUE(image.empty());
}

TEST(Cp1252Names, ConvertBothWays) {
  std::string out;
  ASSERT_TRUE(Utf8ToCp1252("Mod\xC3\xA8les \xE2\x82\xAC \xC5\x93", out));
  EXPECT_EQ(out, "Mod\xE8les \x80 \x9C");
  EXPECT_EQ(Cp1252ToUtf8(out), "Mod\xC3\xA8les \xE2\x82\xAC \xC5\x93");
  EXPECT_FALSE(Utf8ToCp1252("fl\xE2\x86\x92"
                            "che",
                            out))
      << "an arrow is not in cp1252";
  EXPECT_FALSE(Utf8ToCp1252("\xC2\x81", out)) << "U+0081 has no cp1252 byte";
  EXPECT_FALSE(Utf8ToCp1252("\xE8", out)) << "a lone cp1252 byte is not UTF-8";
  EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF", out)) << "overlong form of '/'";
  EXPECT_EQ(UpperCp1252("mod\xE8les \x9C\xFF"), "MOD\xC8LES \x8C\x9F");
}

TEST(Manifest, ParsesNamesDatesAndPaths) {
  const std::string text = "\xEF\xBB\xBF# commentaire\n"
                           "2002-03-23 13:59:22\tuserdicen.tlx\r\n"
                           "\n"
                           "2010-06-01 08:00:00\tMod\xC3\xA8les de document\\M\xC3\xA9mos\\A.mdl\n";
  std::vector<ManifestEntry> entries;
  std::string error;
  ASSERT_TRUE(ParseManifest(text, entries, error)) << error;
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "userdicen.tlx");
  EXPECT_EQ(entries[0].date, 37338.58289351852);
  EXPECT_EQ(entries[1].name, "Mod\xE8les de document\\M\xE9mos\\A.mdl");
  EXPECT_EQ(entries[1].path, "Mod\xC3\xA8les de document/M\xC3\xA9mos/A.mdl");
}

TEST(Manifest, RefusesBadLinesWithTheirNumber) {
  const std::map<std::string, std::string> bad = {
      {"odd seconds", "2002-03-23 13:59:23\ta.txt\n"},
      {"year before 1980", "1979-03-23 13:59:22\ta.txt\n"},
      {"no tab", "2002-03-23 13:59:22 a.txt\n"},
      {"short date", "2002-3-23 13:59:22\ta.txt\n"},
      {"empty name", "2002-03-23 13:59:22\t\n"},
      {"parent folder", "2002-03-23 13:59:22\t..\\a.txt\n"},
      {"forward slash", "2002-03-23 13:59:22\ta/b.txt\n"},
      {"drive letter", "2002-03-23 13:59:22\tC:a.txt\n"},
      {"not in cp1252", "2002-03-23 13:59:22\t\xE2\x86\x92.txt\n"},
      {"not UTF-8", "2002-03-23 13:59:22\tMod\xE8les\\a.txt\n"},
      {"too long", "2002-03-23 13:59:22\t" + std::string(256, 'n') + "\n"},
      {"duplicate ignoring case",
       "2002-03-23 13:59:22\tMod\xC3\xA8les\\a\n2002-03-23 13:59:22\tMOD\xC3\x88LES\\A\n"},
  };
  for (const auto& [what, text] : bad) {
    std::vector<ManifestEntry> entries;
    std::string error;
    EXPECT_FALSE(ParseManifest("# en-tête\n" + text, entries, error)) << what;
    EXPECT_EQ(error.rfind("line ", 0), 0u) << what << ": " << error;
    EXPECT_NE(error.find(what == "duplicate ignoring case" ? "line 3" : "line 2"),
              std::string::npos)
        << what << ": " << error;
  }
}

TEST(Manifest, LinesWrittenForThePayloadParseBack) {
  const std::string text = ManifestLine({2004, 2, 29, 7, 5, 4}, "Fran\xE7"
                                                                "ais.zlx");
  EXPECT_EQ(text, "2004-02-29 07:05:04\tFran\xC3\xA7"
                  "ais.zlx\n");
  std::vector<ManifestEntry> entries;
  std::string error;
  ASSERT_TRUE(ParseManifest(text, entries, error)) << error;
  EXPECT_EQ(entries[0].name, "Fran\xE7"
                             "ais.zlx");
}

TEST(ArchivePacking, PackedArchiveListsWithTheEngineReader) {
  const std::map<std::string, std::string> files = {
      {"kre.exe", "MZ programme"}, {"vide.tlx", ""}, {"Mod\xC3\xA8les/a.mdl", "{\\rtf1}"}};
  std::vector<ManifestEntry> entries;
  std::string error;
  ASSERT_TRUE(ParseManifest("2002-03-23 13:59:22\tkre.exe\n"
                            "2002-03-23 13:59:22\tvide.tlx\n"
                            "2012-12-31 23:59:58\tMod\xC3\xA8les\\a.mdl\n",
                            entries, error));
  auto read = [&](const std::string& path, std::string& data) {
    auto it = files.find(path);
    if (it == files.end())
      return false;
    data = it->second;
    return true;
  };
  std::string compressed;
  ASSERT_TRUE(PackArchive(entries, read, compressed, error)) << error;
  ASSERT_GE(compressed.size(), 2u);
  EXPECT_EQ(compressed.substr(0, 2), "\x78\xDA");

  std::string listing;
  ASSERT_TRUE(ListArchive(Bytes(compressed), compressed.size(), listing, error)) << error;
  EXPECT_EQ(listing, "20\t12\t37338.58289351852\tkre.exe\n"
                     "53\t0\t37338.58289351852\tvide.tlx\n"
                     "79\t7\t41274.999976851854\tMod\xE8les\\a.mdl\n"
                     "3 entries, 86 bytes\n");
}

TEST(ArchivePacking, MissingPayloadFileAndDamagedArchiveAreReported) {
  std::vector<ManifestEntry> entries;
  std::string error, compressed, listing;
  ASSERT_TRUE(ParseManifest("2002-03-23 13:59:22\tabsent.txt\n", entries, error));
  EXPECT_FALSE(PackArchive(
      entries, [](const std::string&, std::string&) { return false; }, compressed, error));
  EXPECT_NE(error.find("absent.txt"), std::string::npos);

  const std::string damaged = ArchiveBuilder().AddDeclared("a", 9, "x").Compressed();
  EXPECT_FALSE(ListArchive(Bytes(damaged), damaged.size(), listing, error));
  EXPECT_EQ(error, DescribeArchiveError(ArchiveError::BadRecord));
}

// The folder part of an entry name below root ("" for a top-level file).
std::string SubFolder(const std::string& name, const std::string& root) {
  if (name.rfind(root, 0) != 0)
    return "";
  const std::string rest = name.substr(root.size());
  return rest.substr(0, rest.rfind('\\'));
}

TEST(SamplePayload, HasTheCurrentBuildsEntriesInArchiveOrder) {
  const std::vector<PayloadItem> items = CurrentBuildItems();
  ASSERT_EQ(items.size(), 259u);
  const std::vector<std::string> first = {
      "kre.exe",    "Licence.txt", "English (American).asc", "English (British).asc",
      "us.zlx",     "uk.zlx",      "userdicen.tlx",          "English (American).cache",
      "english.zlx"};
  const std::vector<std::string> last = {"Basic.asn", "French.asc", "persodicfr.tlx",
                                         "fran\xE7"
                                         "ais.zlx",
                                         "Coupe de mots.dat"};
  for (size_t i = 0; i < first.size(); ++i)
    EXPECT_EQ(items[i].name, first[i]);
  for (size_t i = 0; i < last.size(); ++i)
    EXPECT_EQ(items[254 + i].name, last[i]);

  const std::string templates = "Mod\xE8les de document\\";
  const std::string inserts = "Collections d'inserts\\";
  std::set<std::string> templateFolders, insertFolders, imageFolders;
  for (size_t i = 9; i < 38; ++i)
    templateFolders.insert(SubFolder(items[i].name, templates));
  for (size_t i = 38; i < 254; ++i) {
    const std::string folder = SubFolder(items[i].name, inserts);
    insertFolders.insert(folder.substr(0, folder.find('\\')));
    if (folder.rfind("Images\\", 0) == 0)
      imageFolders.insert(folder.substr(7));
  }
  EXPECT_EQ(templateFolders,
            (std::set<std::string>{"Divers", "Lettres commerciales", "Lettres officielles",
                                   "Lettres personnelles", "M\xE9mos", "Tables des mati\xE8res",
                                   "T\xE9l\xE9"
                                   "copies"}));
  EXPECT_EQ(insertFolders.size(), 9u);
  EXPECT_EQ(imageFolders.size(), 13u);
  EXPECT_TRUE(imageFolders.count("\xC9toiles"));
  EXPECT_TRUE(insertFolders.count("En-t\xEAtes & pieds de page"));
}

TEST(SamplePayload, NamesDatesAndSizesKeepTheFormatsPromises) {
  std::set<std::string> seen;
  size_t longest = 0;
  for (const PayloadItem& item : CurrentBuildItems()) {
    EXPECT_TRUE(IsSafeEntryName(item.name) && !item.name.empty()) << item.name;
    EXPECT_TRUE(seen.insert(UpperCp1252(item.name)).second) << item.name;
    longest = std::max(longest, item.name.size());
    std::string utf8;
    EXPECT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(item.name), utf8)) << item.name;
    EXPECT_GE(item.date.year, 2002) << item.name;
    EXPECT_LE(item.date.year, 2012) << item.name;
    EXPECT_FALSE(Refused(item.date)) << item.name;
    EXPECT_GE(item.size, 0);
  }
  EXPECT_EQ(longest, 72u);
}

int64_t ImageBytes(const std::vector<PayloadItem>& items) {
  int64_t total = 0;
  for (const PayloadItem& item : items)
    total += 13 + int64_t(item.name.size()) + item.size;
  return total;
}

std::vector<PayloadItem> FittedItems(int32_t programBytes) {
  std::vector<PayloadItem> items = CurrentBuildItems();
  FitToImageSize(items, programBytes, static_cast<int32_t>(LicenceText().size()));
  return items;
}

TEST(SamplePayload, ImageKeepsTheCurrentBuildsSizeWhateverProgramItShips) {
  for (int32_t program : {int32_t(PlaceholderProgram().size()), 0, 872856, 2500000}) {
    const std::vector<PayloadItem> items = FittedItems(program);
    EXPECT_EQ(ImageBytes(items), kCurrentBuildImageBytes) << program;
    EXPECT_EQ(items[0].size, program);
    for (const PayloadItem& item : items) {
      EXPECT_GE(item.size, 0) << item.name;
    }
  }
}

TEST(SamplePayload, ProgramTooLargeToBalanceLeavesAQuarterOfEachLargeFile) {
  const std::vector<PayloadItem> planned = CurrentBuildItems();
  const std::vector<PayloadItem> items = FittedItems(20000000);
  EXPECT_GT(ImageBytes(items), kCurrentBuildImageBytes);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].kind == PayloadKind::Dictionary) {
      EXPECT_EQ(items[i].size, planned[i].size / 4) << items[i].name;
    }
  }
}

TEST(SamplePayload, ContentsAreDeterministicAndSizedAsPlanned) {
  for (const PayloadItem& item : FittedItems(int32_t(PlaceholderProgram().size()))) {
    const std::string data = GenerateContent(item);
    EXPECT_EQ(data.size(), size_t(item.size)) << item.name;
    if (item.name == "userdicen.tlx" || item.name == "persodicfr.tlx") {
      EXPECT_TRUE(data.empty()) << item.name;
    }
  }
  const PayloadItem image = CurrentBuildItems()[200];
  EXPECT_EQ(GenerateContent(image), GenerateContent(image));
  EXPECT_NE(PlaceholderProgram().find("PLACEHOLDER"), std::string::npos);
}

TEST(SamplePayload, LicenceIsFrenchCp1252WithCrLfLines) {
  const std::string text = LicenceText();
  EXPECT_NE(text.find("pr\xE9sent contrat"), std::string::npos);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
    if (text[i] == '\r') {
      EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

} // namespace
