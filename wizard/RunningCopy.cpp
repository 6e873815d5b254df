// The running-copy test over the platform's top-level windows (EnumWindows
// with GetPropA on Windows; the desktop records natively).
#include "wizard/RunningCopy.h"

#include "platform/Platform.h"

const char* const kRunningCopyProperty = "1.x Corvo Lune";

bool IsWordProcessorRunning() {
  return platform::Current().processes->AnyTopLevelWindowHasProperty(kRunningCopyProperty);
}
