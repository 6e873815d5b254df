// The question put to the user when a file of the archive cannot be created.
#pragma once

#include "platform/MessageText.h"

#include <string>

// The text of the Abort/Retry/Ignore dialog for destFile, a path in the
// system's code page.
platform::MessageText CannotCreateText(const std::string& destFile);
