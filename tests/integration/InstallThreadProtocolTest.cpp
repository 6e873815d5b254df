// The protocol between the worker and the wizard: pausing and stopping at
// file boundaries, dialog requests, the compare-and-swap rules that keep one
// side from overwriting the other's transition, and the timer's rules.
#include "InstallThreadFixture.h"

#include "engine/InstallStatus.h"
#include "engine/ThreadMessageDlg.h"
#include "instutils/DiskQueries.h"
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "platform/Threads.h"
#include "wizard/InstallControl.h"
#include "wizard/MessageDialog.h"

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

class InstallProtocolTest : public InstallThreadFixture {
protected:
  ~InstallProtocolTest() override { proceed_.Open(); }

  const double kDate = Date(2010, 10, 10, 10, 10, 10);

  // Holds the worker inside the write of path until the test lets it go.
  void HoldWriteOf(const std::string& path) {
    Faulty().beforeReplace = [this, path](const std::string& written) {
      if (written != path)
        return;
      writing_.Open();
      EXPECT_TRUE(proceed_.WaitFor(kPatience));
    };
  }
  // Waits until the worker has counted at least position bytes.
  bool WaitForPosition(int32_t position) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (InstallStatus.Position < position) {
      if (std::chrono::steady_clock::now() > deadline)
        return false;
      std::this_thread::sleep_for(1ms);
    }
    return true;
  }
  Latch writing_;
  Latch proceed_;
};

// Bytes that zlib cannot shrink, so that the archive inflates in one step.
std::string Incompressible(size_t size) {
  std::string data(size, '\0');
  uint32_t x = 12345;
  for (char& c : data) {
    x = x * 1103515245 + 12345;
    c = char(x >> 24);
  }
  return data;
}

// A dialog request from a thread other than the user-interface thread. If a
// failed assertion leaves it unanswered, a stop releases it.
class Asker {
public:
  Asker() {
    thread_.Start([this] {
      result_ = ThreadMessageDlg("Question ?", mkConfirmation, mbNo | mbAbort);
      done_.Set();
    });
  }
  ~Asker() {
    if (!done_.Wait(0))
      InstallStatus.SetState(tsStop);
    thread_.Join();
  }
  bool Answered() { return done_.Wait(uint32_t(kPatience.count())); }
  int Result() {
    thread_.Join();
    return result_;
  }

private:
  platform::Event done_;
  int result_ = 0;
  platform::Thread thread_;
};

TEST_F(InstallProtocolTest, PauseHoldsTheWorkerAtTheNextFileBoundaryUntilResumed) {
  UseCatalogue({{"a.txt", "aa", kDate}, {"b.txt", "bbb", kDate}});
  Plan("a.txt", 0);
  Plan("b.txt", 0);
  HoldWriteOf(Path("a.txt"));
  Start();
  ASSERT_TRUE(writing_.WaitFor(kPatience));
  ASSERT_TRUE(PauseForQuestion());
  proceed_.Open();
  // The worker finishes a.txt, then holds: b.txt waits for the answer.
  ASSERT_TRUE(WaitForPosition(2));
  EXPECT_EQ(InstallStatus.WaitWhileFor(tsPaused, 50ms), tsPaused);
  EXPECT_EQ(InstallStatus.Position, 2);
  EXPECT_EQ(Read(Path("a.txt")), "aa");
  EXPECT_FALSE(platform::Fs().IsFile(Path("b.txt")));
  EXPECT_FALSE(thread_->Finished());

  ResumeAfterQuestion(false);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(InstallStatus.State(), tsStop);
  EXPECT_EQ(Read(Path("b.txt")), "bbb");
  EXPECT_EQ(InstallStatus.Position, 5);
}

TEST_F(InstallProtocolTest, StopDuringALargeFileCompletesItAndWritesNothingAfter) {
  const std::string large = Incompressible(2 << 20);
  UseCatalogue({{"a.txt", "a", kDate},
                {"large.bin", large, kDate},
                {"c.txt", "c", kDate},
                {"d.txt", "d", kDate}});
  Plan("a.txt", 1);
  Plan("large.bin", 1);
  Plan("c.txt", 1);
  Plan("d.txt", 3);
  HoldWriteOf(Path("large.bin"));
  Start();
  ASSERT_TRUE(writing_.WaitFor(kPatience));
  ASSERT_TRUE(PauseForQuestion());
  ResumeAfterQuestion(true); // the user confirmed the cancel question
  EXPECT_EQ(InstallStatus.State(), tsStop);
  proceed_.Open();
  ASSERT_TRUE(RunToEnd());

  EXPECT_EQ(InstallStatus.State(), tsStop);
  EXPECT_EQ(Read(Path("large.bin")), large);
  EXPECT_EQ(GetFileWriteDate(Path("large.bin")), kDate);
  EXPECT_FALSE(platform::Fs().IsFile(Path("c.txt")));
  EXPECT_FALSE(platform::Fs().IsFile(Path("d.txt")));
  EXPECT_EQ(InstallStatus.Position, int32_t(1 + large.size()));
  EXPECT_EQ(Log(), (Lines{"File Copy: " + Path("a.txt"), "File Copy: " + Path("large.bin")}));
}

// The wizard's pause for its cancel question must not overwrite a request
// the worker has just announced: the worker would wait for an answer forever.
TEST_F(InstallProtocolTest, PauseArrivingAfterARequestLeavesTheRequestStanding) {
  InstallStatus.SetState(tsRunning);
  Asker asker;
  ASSERT_TRUE(InstallStatus.WaitUntilFor(tsAsking, kPatience));
  EXPECT_FALSE(PauseForQuestion());
  ResumeAfterQuestion(false); // "Non": nothing to resume
  EXPECT_EQ(InstallStatus.State(), tsAsking);

  user_.Script({dlg::kNo});
  ASSERT_TRUE(ServeDialogRequest());
  ASSERT_TRUE(asker.Answered());
  EXPECT_EQ(asker.Result(), dlg::kNo);
  EXPECT_EQ(InstallStatus.State(), tsRunning);
  ASSERT_EQ(user_.requests.size(), 1u);
  EXPECT_EQ(user_.requests[0].text, "Question ?");
  EXPECT_EQ(user_.requests[0].kind, mkConfirmation);
  EXPECT_EQ(user_.requests[0].buttons, mbNo | mbAbort);
}

// While the cancel question is up the worker does not announce its request
// over the pause; it does so once the installation goes on.
TEST_F(InstallProtocolTest, RequestWaitsForTheCancelQuestionToEnd) {
  InstallStatus.SetState(tsRunning);
  ASSERT_TRUE(PauseForQuestion());
  Asker asker;
  EXPECT_EQ(InstallStatus.WaitWhileFor(tsPaused, 50ms), tsPaused);
  ResumeAfterQuestion(false);
  ASSERT_TRUE(InstallStatus.WaitUntilFor(tsAsking, kPatience));
  user_.Script({dlg::kAbort});
  ASSERT_TRUE(ServeDialogRequest());
  ASSERT_TRUE(asker.Answered());
  EXPECT_EQ(asker.Result(), dlg::kAbort);
}

// A stop confirmed while a request is pending: the wizard is closing and
// will not serve it, so the worker gets no answer instead of waiting forever,
// and gives up the file as with Abort.
TEST_F(InstallProtocolTest, StopWhileAskingReleasesTheWorker) {
  UseCatalogue({{"a.txt", "a", kDate}, {"b.txt", "b", kDate}});
  Plan("a.txt", 0);
  Plan("b.txt", 5);
  // Failing for one attempt only, so that a worker retrying without an answer
  // would end (and be seen) rather than loop.
  Faulty().FailPath(FileOp::Replace, Path("a.txt"), platform::IoStatus::DiskFull, 1);
  Start();
  ASSERT_TRUE(InstallStatus.WaitUntilFor(tsAsking, kPatience));
  EXPECT_FALSE(PauseForQuestion());
  ResumeAfterQuestion(true);
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(InstallStatus.State(), tsFailed);
  EXPECT_TRUE(user_.requests.empty());
  EXPECT_FALSE(platform::Fs().IsFile(Path("a.txt")));
  EXPECT_FALSE(platform::Fs().IsFile(Path("b.txt")));
}

TEST_F(InstallProtocolTest, StopIsNotOrderedWhenNoInstallationRuns) {
  for (TInstallState s : {tsIdle, tsFailed}) {
    InstallStatus.SetState(s);
    EXPECT_FALSE(PauseForQuestion());
    ResumeAfterQuestion(true);
    EXPECT_EQ(InstallStatus.State(), s);
  }
}

TEST_F(InstallProtocolTest, TimerTickFollowsTheState) {
  InstallStatus.SetState(tsRunning);
  EXPECT_EQ(InstallTimerTick(), TInstallTick::None); // no component yet
  InstallStatus.CurComp = 3;
  EXPECT_EQ(InstallTimerTick(), TInstallTick::Progress);
  InstallStatus.SetState(tsPaused);
  EXPECT_EQ(InstallTimerTick(), TInstallTick::None);
  InstallStatus.SetState(tsAnswered);
  EXPECT_EQ(InstallTimerTick(), TInstallTick::None);
  InstallStatus.SetState(tsFailed);
  EXPECT_EQ(InstallTimerTick(), TInstallTick::Failed);
  InstallStatus.SetState(tsStop);
  EXPECT_EQ(InstallTimerTick(), TInstallTick::Finished);
  EXPECT_EQ(InstallStatus.State(), tsIdle);
}

// A whole installation driven the way the wizard's timer drives it, with a
// dialog served on the way; the answer is stored whatever it is.
TEST_F(InstallProtocolTest, TimerServesRequestsAndSeesTheEnd) {
  UseCatalogue({{"a.txt", "a", kDate}, {"b.txt", "b", kDate}});
  Plan("a.txt", 0);
  Plan("b.txt", 6);
  Faulty().FailPath(FileOp::Replace, Path("b.txt"), platform::IoStatus::DiskFull, 1);
  user_.Script({kCloseBoxResult});
  Start();
  std::vector<TInstallTick> ticks;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (ticks.empty() || ticks.back() != TInstallTick::Finished) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline);
    const TInstallTick tick = InstallTimerTick();
    if (tick != TInstallTick::None && (ticks.empty() || ticks.back() != tick))
      ticks.push_back(tick);
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_NE(std::find(ticks.begin(), ticks.end(), TInstallTick::DialogServed), ticks.end());
  EXPECT_EQ(InstallStatus.State(), tsIdle);
  EXPECT_EQ(Read(Path("b.txt")), "b"); // the close box answer retried
}

} // namespace
