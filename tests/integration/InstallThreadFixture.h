// Shared set-up of the install-thread tests: a fresh machine and install log,
// a catalogue made from an archive built in memory, a scripted user who
// answers the worker's dialogs through the wizard's side of the protocol, and
// a worker that a failing test can never leave hanging.
#pragma once

#include "engine/AttachFiles.h"
#include "engine/InstallThread.h"
#include "platform/Threads.h"
#include "support/FaultyFiles.h"
#include "support/ScopedInstallLog.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TestEntry {
  std::string name;
  std::string data;
  double date;
};

// The zlib stream of an archive holding entries in this order.
std::string CompressArchive(const std::vector<TestEntry>& entries);

struct DialogRequest {
  std::string text;
  uint8_t kind;
  uint16_t buttons;
};

// Answers dialogs from a script, recording each request. Runs on the test
// thread, which stands for the user-interface thread.
class ScriptedUser {
public:
  void Script(std::initializer_list<int> answers) { answers_.insert(answers_.end(), answers); }
  // Called with each request before it is answered.
  std::function<void(const DialogRequest&)> onRequest;
  int Respond(const std::string& text, uint8_t kind, uint16_t buttons);
  std::vector<DialogRequest> requests;

private:
  std::deque<int> answers_;
};

// FaultyFiles with a hook called before each ReplaceFile is forwarded, on
// the thread that writes.
class HookedFiles : public FaultyFiles {
public:
  std::function<void(const std::string& path)> beforeReplace;
  platform::IoStatus ReplaceFile(const std::string& path, const void* data, size_t size,
                                 const platform::FileTime* writeTimeUtc) override;
};

// A one-shot signal between the test thread and the worker, with bounded waits.
class Latch {
public:
  void Open();
  bool WaitFor(std::chrono::milliseconds limit);

private:
  platform::Event opened_;
};

constexpr std::chrono::milliseconds kPatience{20000};

class InstallThreadFixture : public testing::Test {
protected:
  InstallThreadFixture();
  ~InstallThreadFixture() override;

  void UseCatalogue(const std::vector<TestEntry>& entries);
  // Plans name for component comp into folder (the test folder by default).
  void Plan(const std::string& name, int comp, const std::string& folder = "");
  // Files that fail on cue; put in force before the worker starts.
  HookedFiles& Faulty();
  void Start();
  // Serves the worker's dialog requests until it has ended; false when it
  // has not ended within kPatience.
  bool RunToEnd();
  // Orders a stop and waits for the worker, whatever it was doing.
  void ReleaseWorker();

  std::string Path(const std::string& relative) const { return machine_.Base() + relative; }
  std::string Read(const std::string& path);
  void Write(const std::string& path, const std::string& data);
  std::vector<std::string> Log() const { return log_.Lines(); }

  TestMachine machine_;
  ScopedInstallLog log_;
  ScriptedUser user_;
  std::optional<HookedFiles> faulty_;
  std::unique_ptr<TAttachedFiles> files_;
  std::unique_ptr<TInstallThread> thread_;
};

// Local date-times used as entry dates.
double Date(int year, int month, int day, int hour, int minute, int second);
