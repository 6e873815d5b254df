// The wizard's view on screen: the Win32 view with real controls, made by
// the platform's user-interface layer (platform/ui/win32).
#pragma once

#include "platform/ui/View.h"

#include <memory>

std::unique_ptr<ui::TView> CreateWizardView();
