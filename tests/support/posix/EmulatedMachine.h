// Native tests only: the emulated machine behind the TestMachine in force,
// for what TestMachine does not offer (system version, failing special
// folders, a read-only HKLM, the desktop's windows).
#pragma once

#include "platform/posix/Machine.h"

// The machine of the innermost live TestMachine; aborts when there is none.
platform::posix::Machine& CurrentEmulatedMachine();
