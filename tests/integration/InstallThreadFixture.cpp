// The install-thread test fixture: archive building, the scripted user, the
// hooked files and the driving of the worker.
#include "InstallThreadFixture.h"

#include "engine/InstallStatus.h"
#include "engine/ThreadMessageDlg.h"
#include "instutils/DateTime.h"
#include "instutils/InstallLog.h"
#include "platform/Constants.h"
#include "platform/Platform.h"
#include "wizard/InstallControl.h"
#include "wizard/MessageDialog.h"

#include <zlib.h>

#include <cstring>

namespace {

void AppendLittleEndian(std::string& out, const void* value, size_t size) {
  out.append(static_cast<const char*>(value), size); // the test hosts are little-endian
}

} // namespace

std::string CompressArchive(const std::vector<TestEntry>& entries) {
  std::string image;
  for (const TestEntry& e : entries) {
    image += char(uint8_t(e.name.size()));
    image += e.name;
    AppendLittleEndian(image, &e.date, 8);
    const int32_t size = int32_t(e.data.size());
    AppendLittleEndian(image, &size, 4);
    image += e.data;
  }
  uLongf length = compressBound(image.size());
  std::string out(length, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &length,
            reinterpret_cast<const Bytef*>(image.data()), image.size(), 9);
  out.resize(length);
  return out;
}

double Date(int year, int month, int day, int hour, int minute, int second) {
  return EncodeDateTime(year, month, day, hour, minute, second, 0);
}

int ScriptedUser::Respond(const std::string& text, uint8_t kind, uint16_t buttons) {
  requests.push_back({text, kind, buttons});
  if (onRequest)
    onRequest(requests.back());
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected dialog: " << text;
    return dlg::kAbort;
  }
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

platform::IoStatus HookedFiles::ReplaceFile(const std::string& path, const void* data, size_t size,
                                            const platform::FileTime* writeTimeUtc) {
  if (beforeReplace)
    beforeReplace(path);
  return FaultyFiles::ReplaceFile(path, data, size, writeTimeUtc);
}

void Latch::Open() {
  opened_.Set();
}

bool Latch::WaitFor(std::chrono::milliseconds limit) {
  return opened_.Wait(uint32_t(limit.count()));
}

InstallThreadFixture::InstallThreadFixture() {
  InstallStatus.Reset();
  SetUserInterfaceThread(ShowMessageDialog);
  SetMessageDialogHandler(
      [this](const platform::MessageText& text, uint8_t kind, uint16_t buttons) {
        return user_.Respond(text.Bytes(), kind, buttons);
      });
}

InstallThreadFixture::~InstallThreadFixture() {
  ReleaseWorker();
  files_.reset();
  SetMessageDialogHandler(nullptr);
  SetUserInterfaceThread(nullptr);
  InstallStatus.Reset();
}

void InstallThreadFixture::UseCatalogue(const std::vector<TestEntry>& entries) {
  const std::string archive = CompressArchive(entries);
  ArchiveError error = ArchiveError::None;
  files_ = TAttachedFiles::FromCompressed(reinterpret_cast<const uint8_t*>(archive.data()),
                                          archive.size(), error);
  ASSERT_TRUE(files_) << DescribeArchiveError(error);
}

void InstallThreadFixture::Plan(const std::string& name, int comp, const std::string& folder) {
  ASSERT_TRUE(files_->AddFileToInstall(name, folder.empty() ? machine_.Base() : folder, comp,
                                       omAlwaysReplace))
      << name;
}

HookedFiles& InstallThreadFixture::Faulty() {
  if (!faulty_)
    faulty_.emplace();
  return *faulty_;
}

void InstallThreadFixture::Start() {
  InstallStatus.SetState(tsRunning);
  thread_ = std::make_unique<TInstallThread>(*files_);
}

bool InstallThreadFixture::RunToEnd() {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!thread_->Finished()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    InstallStatus.WaitUntilFor(tsAsking, std::chrono::milliseconds(5));
    ServeDialogRequest();
  }
  thread_->WaitFor();
  return true;
}

void InstallThreadFixture::ReleaseWorker() {
  if (!thread_)
    return;
  if (!thread_->Finished())
    InstallStatus.SetState(tsStop);
  thread_->WaitFor();
}

std::string InstallThreadFixture::Read(const std::string& path) {
  std::string data;
  EXPECT_EQ(platform::Fs().ReadFile(path, data), platform::IoStatus::Ok) << path;
  return data;
}

void InstallThreadFixture::Write(const std::string& path, const std::string& data) {
  ASSERT_TRUE(WriteStringToFile(path, data)) << path;
}
