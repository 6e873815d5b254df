// The machine's own services natively: the emulated machine named by
// $BREVANTO_MACHINE.
#include "platform/Platform.h"
#include "platform/posix/Machine.h"

namespace platform {

const Platform& Native() {
  return posix::NativeMachine().Services();
}

} // namespace platform
