// The wizard's side of the install protocol, without the view: serving the
// worker's dialog requests, pausing for the cancel question, and what each
// tick of the 100 ms timer must do.
#pragma once

// Serves a pending dialog request of the worker: tsAsking -> tsPaused, shows
// the requested dialog, stores the answer, tsAnswered. False when no request
// was pending.
bool ServeDialogRequest();

// Before the cancel question: tsRunning -> tsPaused. A request the worker has
// just announced (tsAsking) is kept, to be served by the timer meanwhile.
// True when the installation was paused.
bool PauseForQuestion();

// After the cancel question. Continuing takes a paused installation back to
// tsRunning. Stopping orders tsStop from any state of a running installation
// (running, paused, asking, answered): the wizard closes at once and will
// serve no further request, so the worker must not wait for one.
void ResumeAfterQuestion(bool stop);

// Orders a running installation to stop, whatever state it is in (running,
// paused, asking, answered): nobody will serve its requests any more.
void StopInstallation();

enum class TInstallTick {
  None,         // nothing to do
  Progress,     // show InstallStatus.Position and the name of CurComp
  DialogServed, // a dialog was shown for the worker
  Finished,     // the worker has finished: state back to tsIdle; go to the next page.
                // The wizard orders tsStop only as it closes and must not tick
                // afterwards, so a tsStop seen here is the worker's own.
  Failed,       // the user chose Abort: close the wizard with Cancel
};

// One tick of the installing page's timer; the state is read once, the first
// matching rule applies.
TInstallTick InstallTimerTick();
