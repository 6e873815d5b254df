// Measuring a child process: its exit status is reported as it is, so that
// the bench script never takes a failed run for a result.
#include "bench/ChildRun.h"

#include <gtest/gtest.h>

namespace {

TEST(ChildRun, ReportsTheChildsExitStatusAndItsTime) {
  const ChildMeasure ok = MeasureChild({"sh", "-c", "sleep 0.05"});
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_GE(ok.seconds, 0.05);
  EXPECT_LT(ok.cpuSeconds, ok.seconds); // asleep, not busy
  EXPECT_GT(ok.maxResidentKiB, 0);
  EXPECT_EQ(MeasureChild({"sh", "-c", "exit 3"}).exitCode, 3);
}

TEST(ChildRun, AProgramThatCannotStartOrIsKilledIsAFailure) {
  EXPECT_EQ(MeasureChild({"/nonexistent/program"}).exitCode, 127);
  EXPECT_EQ(MeasureChild({"sh", "-c", "kill -9 $$"}).exitCode, -1);
  EXPECT_EQ(MeasureChild({}).exitCode, -1);
}

TEST(ChildRun, PeakMemoryIsTheChildsOwn) {
  // sort holds its one 64 MB line in memory; the next child must not inherit that peak.
  const ChildMeasure big =
      MeasureChild({"sh", "-c", "head -c 64000000 /dev/zero | sort >/dev/null"});
  const ChildMeasure small = MeasureChild({"true"});
  EXPECT_EQ(big.exitCode, 0);
  EXPECT_GT(big.maxResidentKiB, 60000);
  EXPECT_LT(small.maxResidentKiB, 16 * 1024);
}

} // namespace
