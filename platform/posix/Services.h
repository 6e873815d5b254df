// The services of an emulated machine, each made over the machine it serves.
#pragma once

#include "platform/Platform.h"

#include <memory>

namespace platform::posix {

class Machine;

std::unique_ptr<Files> NewFiles(Machine& machine);
std::unique_ptr<Volumes> NewVolumes(Machine& machine);
std::unique_ptr<Shell> NewShell(Machine& machine);
std::unique_ptr<Clock> NewClock();
std::unique_ptr<Registry> NewRegistry(Machine& machine);
std::unique_ptr<Processes> NewProcesses(Machine& machine);
std::unique_ptr<System> NewSystem(Machine& machine);

} // namespace platform::posix
