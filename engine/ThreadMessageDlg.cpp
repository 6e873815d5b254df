// The worker's side of a dialog request, and the direct path on the
// user-interface thread.
#include "engine/ThreadMessageDlg.h"

#include "engine/InstallStatus.h"
#include "platform/Threads.h"

namespace {
uint64_t uiThread = 0;
TMessageDialogFn uiShow;

// Waits out a pause of the wizard (its cancel question), then announces the
// request. The compare-and-swap keeps a pause or stop the wizard sets at the
// same moment. False when no installation is running any more.
bool AnnounceRequest() {
  for (;;) {
    if (InstallStatus.WaitWhile(tsPaused) != tsRunning)
      return false;
    if (InstallStatus.ChangeState(tsRunning, tsAsking))
      return true;
  }
}

int AskUserInterfaceThread(const platform::MessageText& text, uint8_t kind, uint16_t buttons) {
  InstallStatus.MsgText = text;
  InstallStatus.MsgType = kind;
  InstallStatus.MsgButtons = buttons;
  if (!AnnounceRequest())
    return kNoAnswer;
  // The wizard moves tsAsking to tsPaused while its dialog is up, then to
  // tsAnswered; a stop ordered meanwhile means no answer will come.
  if (InstallStatus.WaitWhile({tsAsking, tsPaused}) != tsAnswered)
    return kNoAnswer;
  int result = InstallStatus.MsgResult;
  InstallStatus.ChangeState(tsAnswered, tsRunning);
  return result;
}
} // namespace

void SetUserInterfaceThread(TMessageDialogFn show) {
  uiThread = platform::CurrentThreadId();
  uiShow = std::move(show);
}

bool OnUserInterfaceThread() {
  return platform::CurrentThreadId() == uiThread;
}

int ThreadMessageDlg(const platform::MessageText& text, uint8_t kind, uint16_t buttons) {
  if (!OnUserInterfaceThread())
    return AskUserInterfaceThread(text, kind, buttons);
  if (!uiShow)
    return kNoAnswer;
  return uiShow(text, kind, buttons);
}
