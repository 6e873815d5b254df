// The view's fonts, kept as 96-DPI character heights and made for the DPI of
// the window that shows them.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

struct TFontSpec {
  int Pixels; // character height at 96 DPI
  int Weight;
  const char* Face;
};

// The dialog font of the classic Windows wizards, and the two fonts of their labels.
inline constexpr TFontSpec kDialogFont = {11, FW_NORMAL, "Tahoma"};
inline constexpr TFontSpec kTitleFont = {15, FW_BOLD, "Arial"};
inline constexpr TFontSpec kBoldFont = {11, FW_BOLD, "Tahoma"};

// The font for that DPI, owned by the caller: the height scaled down to
// whole pixels, and smaller still while its line is taller than the 96-DPI
// line scaled. The labels are laid out for whole lines at 96 DPI: rounded
// up, three lines at 144 DPI lost their last pixels; scaled exactly, the
// 22-pixel font's line of 27 pixels at 192 DPI outgrew three lines of 26.
HFONT ScaledFont(const TFontSpec& spec, int dpi);

// The height of a line of the font, in pixels.
int TextHeight(HFONT font);

} // namespace ui::win32
