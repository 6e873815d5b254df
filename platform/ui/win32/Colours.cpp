// The banner's colours, and the high-contrast setting.
#include "platform/ui/win32/Colours.h"

namespace ui::win32 {

bool HighContrastOn() {
  HIGHCONTRASTW contrast = {};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

TBannerColours BannerColours(bool highContrast) {
  if (highContrast)
    return {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
  // Navy (colour value 8388608) on white.
  return {RGB(255, 255, 255), RGB(0, 0, 128)};
}

} // namespace ui::win32
