// The colours of the wizard's own surfaces: the banner's navy title on
// white, or the system's colours when the user has high contrast on.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

struct TBannerColours {
  COLORREF Ground;
  COLORREF Title;
};

// True when the user's high-contrast setting is on.
bool HighContrastOn();

TBannerColours BannerColours(bool highContrast);

} // namespace ui::win32
