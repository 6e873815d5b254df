// What stands in for the wizard while the install thread runs: it waits for
// the worker and answers its dialog requests.
#pragma once

#include <string>

class TInstallThread;

// Waits until the worker has ended. A benchmark has no one to ask, so a
// dialog request (a file that cannot be written) is answered Abort and its
// text kept in error. True when the plan was carried out to its end.
bool AwaitWorker(TInstallThread& worker, std::string& error);
