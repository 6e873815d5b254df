// The install thread on a healthy machine: bytes, dates, component order,
// folders and log lines, unlogged files, dates a DOS date cannot hold, and
// ExtractFile called by name on the user-interface thread.
#include "InstallThreadFixture.h"

#include "engine/InstallStatus.h"
#include "instutils/DateTime.h"
#include "instutils/DiskQueries.h"
#include "instutils/InstallLog.h"
#include "platform/Constants.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class InstallExtractTest : public InstallThreadFixture {
protected:
  // Dates are computed once the program has started: the date-time
  // conversions must not run during static initialisation.
  const double kDate = Date(2002, 3, 23, 13, 59, 22);
};

TEST_F(InstallExtractTest, EmptyPlanStopsAtOnceWithoutProgress) {
  UseCatalogue({{"kre.exe", "MZ", kDate}});
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(InstallStatus.State(), tsStop);
  EXPECT_EQ(InstallStatus.Position, 0);
  EXPECT_EQ(InstallStatus.CurComp, 255);
  EXPECT_TRUE(Log().empty());
}

TEST_F(InstallExtractTest, WritesEveryFileWithItsBytesAndDateInComponentOrder) {
  UseCatalogue({{"Basic.asn", "sound", Date(2001, 1, 2, 3, 4, 6)},
                {"kre.exe", std::string("MZ\0\x90\xff", 5), kDate},
                {"userdicen.tlx", "", Date(2099, 12, 31, 23, 59, 58)},
                {"Licence.txt", "Licence", Date(1980, 1, 1, 0, 0, 0)}});
  // Planned out of component order: the worker still goes 0, 2, 6.
  Plan("Basic.asn", 6);
  Plan("userdicen.tlx", 2);
  Plan("kre.exe", 0);
  Plan("Licence.txt", 0);
  Start();
  ASSERT_TRUE(RunToEnd());

  EXPECT_EQ(InstallStatus.State(), tsStop);
  EXPECT_EQ(InstallStatus.Position, files_->TotalSizeToInstall());
  EXPECT_EQ(InstallStatus.CurComp, 6);
  EXPECT_TRUE(user_.requests.empty());
  for (const TAttachedFile& entry : files_->Files()) {
    const std::string dest = Path(entry.Name);
    EXPECT_EQ(Read(dest), std::string(files_->Data() + entry.Offset,
                                      files_->Data() + entry.Offset + entry.Size));
    EXPECT_EQ(GetFileWriteDate(dest), entry.Date) << entry.Name;
  }
  EXPECT_EQ(Log(),
            (Lines{"File Copy: " + Path("kre.exe"), "File Copy: " + Path("Licence.txt"),
                   "File Copy: " + Path("userdicen.tlx"), "File Copy: " + Path("Basic.asn")}));
}

TEST_F(InstallExtractTest, CreatesAndLogsEachMissingFolderBeforeTheFile) {
  UseCatalogue({{"Modèles de document\\Divers\\Fax.kre", "fax", kDate}});
  Plan("Modèles de document\\", 4);
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Log(), (Lines{"Made Dir: " + Path("Modèles de document\\"),
                          "Made Dir: " + Path("Modèles de document\\Divers\\"),
                          "File Copy: " + Path("Modèles de document\\Divers\\Fax.kre")}));
  EXPECT_EQ(Read(Path("Modèles de document\\Divers\\Fax.kre")), "fax");
}

TEST_F(InstallExtractTest, FilePlannedWhileLoggingWasSuspendedLogsNeitherFileNorFolders) {
  UseCatalogue({{"Cache\\English (American).cache", "cache", kDate}, {"us.zlx", "us", kDate}});
  SuspendLogging();
  Plan("Cache\\English (American).cache", 2);
  ResumeLogging(); // logging is active again before the worker runs
  Plan("us.zlx", 2);
  Start();
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Read(Path("Cache\\English (American).cache")), "cache");
  EXPECT_EQ(Log(), (Lines{"File Copy: " + Path("us.zlx")}));
  EXPECT_EQ(LogSuspendCount, 0);
}

// Years a DOS date cannot hold: the file is written and keeps the time of
// its writing rather than some wrapped-around date.
TEST_F(InstallExtractTest, DateOutsideDosRangeKeepsTheTimeOfWriting) {
  UseCatalogue({{"old.dat", "1979", Date(1979, 12, 31, 23, 59, 58)},
                {"new.dat", "2100", Date(2100, 1, 1, 0, 0, 0)}});
  Plan("old.dat", 1);
  Plan("new.dat", 1);
  const double before = NowDateTime();
  Start();
  ASSERT_TRUE(RunToEnd());
  const double after = NowDateTime();
  const double slack = 2.0 / 86400;
  for (const char* name : {"old.dat", "new.dat"}) {
    const double written = GetFileWriteDate(Path(name));
    EXPECT_GE(written, before - slack) << name;
    EXPECT_LE(written, after + slack) << name;
  }
  EXPECT_EQ(Read(Path("old.dat")), "1979");
  EXPECT_EQ(Log(), (Lines{"File Copy: " + Path("old.dat"), "File Copy: " + Path("new.dat")}));
}

// On the user-interface thread the dialog is shown directly, without the
// status record; the entry is found by name ignoring case.
TEST_F(InstallExtractTest, ExtractByNameOnTheUserInterfaceThread) {
  UseCatalogue({{"Licence.txt", "Licence", kDate}});
  ASSERT_TRUE(files_->ExtractFile(nullptr, "LICENCE.TXT", Path("lic.tmp")));
  EXPECT_EQ(Read(Path("lic.tmp")), "Licence");

  user_.Script({dlg::kRetry, dlg::kAbort});
  EXPECT_FALSE(files_->ExtractFile(nullptr, "absent.txt", Path("Sous\\absent.txt")));
  ASSERT_EQ(user_.requests.size(), 2u);
  EXPECT_EQ(user_.requests[0].text, user_.requests[1].text);
  EXPECT_EQ(InstallStatus.State(), tsIdle);
  EXPECT_FALSE(platform::Fs().IsFolder(Path("Sous")));
}

} // namespace
