// PNG resources of the program (type "PNG"), decoded with libpng, and their
// composition onto the colour of the surface they are drawn on.
#pragma once

#include "platform/win32/WindowsSupport.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ui::win32 {

struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Bgra; // top-down rows, straight (not premultiplied) alpha
};

// The PNG resource of that name; nullopt when it is missing or not a PNG.
std::optional<TPixels> LoadPngResource(const char* name);

// A 32-bit top-down bitmap of the pixels blended over the background colour
// (the alpha applied once, so that any DC can BitBlt it); null on failure.
HBITMAP ComposeOver(const TPixels& pixels, COLORREF background);

} // namespace ui::win32
