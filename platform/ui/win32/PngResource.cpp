// Decoding of the program's PNG resources with libpng's simplified API.
#include "platform/ui/win32/PngResource.h"

#include "platform/Resources.h"

#include <png.h>

#include <cstring>

namespace ui::win32 {

std::optional<TPixels> LoadPngResource(const char* name) {
  const auto bytes = platform::OwnResource("PNG", name);
  if (!bytes)
    return std::nullopt;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes->data(), bytes->size()))
    return std::nullopt;
  image.format = PNG_FORMAT_BGRA;
  TPixels pixels;
  pixels.Width = static_cast<int>(image.width);
  pixels.Height = static_cast<int>(image.height);
  pixels.Bgra.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.Bgra.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return pixels;
}

HBITMAP ComposeOver(const TPixels& pixels, COLORREF background) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.Width;
  info.bmiHeader.biHeight = -pixels.Height; // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits)
    return bitmap;
  const uint8_t backBgr[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
  auto* out = static_cast<uint8_t*>(bits);
  const size_t count = static_cast<size_t>(pixels.Width) * static_cast<size_t>(pixels.Height);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* in = &pixels.Bgra[i * 4];
    const unsigned alpha = in[3];
    for (int c = 0; c < 3; ++c)
      out[i * 4 + c] =
          static_cast<uint8_t>((in[c] * alpha + backBgr[c] * (255 - alpha) + 127) / 255);
    out[i * 4 + 3] = 255;
  }
  GdiFlush();
  return bitmap;
}

} // namespace ui::win32
