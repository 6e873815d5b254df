// The wizard's view on this platform: the Win32 window with real controls on
// Windows. Portable: app code creates the view through this header alone.
#pragma once

#include "platform/ui/View.h"

#include <memory>

namespace ui {

// The wizard window, created hidden with every control of every page; null
// when the window cannot be created.
std::unique_ptr<TView> CreateWizardView();

} // namespace ui
