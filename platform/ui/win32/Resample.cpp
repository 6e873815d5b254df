// Bilinear resampling of pictures, and the conversions of masked bitmaps.
#include "platform/ui/win32/Resample.h"

#include <algorithm>
#include <cmath>

namespace ui::win32 {
namespace {

// One pixel of the source in premultiplied floating point, clamped at the edges.
struct TSample {
  float B = 0, G = 0, R = 0, A = 0;
};

TSample At(const TPixels& p, int x, int y) {
  x = std::clamp(x, 0, p.Width - 1);
  y = std::clamp(y, 0, p.Height - 1);
  const uint8_t* px = &p.Bgra[(static_cast<size_t>(y) * p.Width + x) * 4];
  const float a = px[3] / 255.0f;
  return {px[0] * a, px[1] * a, px[2] * a, a};
}

HBITMAP TopDownDib(int width, int height, int bits, void** data) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bits);
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, data, nullptr, 0);
}

} // namespace

TPixels Resample(const TPixels& source, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (source.Width <= 0 || source.Height <= 0)
    return source;
  if (width == source.Width && height == source.Height)
    return source;
  TPixels out{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
  const float sx = static_cast<float>(source.Width) / width;
  const float sy = static_cast<float>(source.Height) / height;
  for (int y = 0; y < height; ++y) {
    const float fy = (y + 0.5f) * sy - 0.5f;
    const int y0 = static_cast<int>(std::floor(fy));
    const float wy = fy - y0;
    for (int x = 0; x < width; ++x) {
      const float fx = (x + 0.5f) * sx - 0.5f;
      const int x0 = static_cast<int>(std::floor(fx));
      const float wx = fx - x0;
      const TSample s[4] = {At(source, x0, y0), At(source, x0 + 1, y0), At(source, x0, y0 + 1),
                            At(source, x0 + 1, y0 + 1)};
      const float w[4] = {(1 - wx) * (1 - wy), wx * (1 - wy), (1 - wx) * wy, wx * wy};
      TSample m;
      for (int i = 0; i < 4; ++i) {
        m.B += s[i].B * w[i];
        m.G += s[i].G * w[i];
        m.R += s[i].R * w[i];
        m.A += s[i].A * w[i];
      }
      uint8_t* px = &out.Bgra[(static_cast<size_t>(y) * width + x) * 4];
      const float a = std::max(m.A, 1e-6f);
      px[0] = static_cast<uint8_t>(std::clamp(m.B / a + 0.5f, 0.0f, 255.0f));
      px[1] = static_cast<uint8_t>(std::clamp(m.G / a + 0.5f, 0.0f, 255.0f));
      px[2] = static_cast<uint8_t>(std::clamp(m.R / a + 0.5f, 0.0f, 255.0f));
      px[3] = static_cast<uint8_t>(std::clamp(m.A * 255.0f + 0.5f, 0.0f, 255.0f));
    }
  }
  return out;
}

TPixels PixelsOfBitmap(HBITMAP bitmap, COLORREF key) {
  BITMAP info;
  if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
    return {};
  TPixels p{info.bmWidth, info.bmHeight,
            std::vector<uint8_t>(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4)};
  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = -info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  const int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), p.Bgra.data(),
                              &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (lines != info.bmHeight)
    return {};
  for (size_t i = 0; i < p.Bgra.size(); i += 4) {
    const bool transparent = RGB(p.Bgra[i + 2], p.Bgra[i + 1], p.Bgra[i]) == key;
    p.Bgra[i + 3] = transparent ? 0 : 255;
  }
  return p;
}

HBITMAP MaskedBitmap(const TPixels& pixels, COLORREF key) {
  void* data = nullptr;
  HBITMAP bitmap = TopDownDib(pixels.Width, pixels.Height, 32, &data);
  if (!bitmap || !data)
    return bitmap;
  auto* out = static_cast<uint8_t*>(data);
  for (size_t i = 0; i < pixels.Bgra.size(); i += 4) {
    const bool opaque = pixels.Bgra[i + 3] >= 128;
    out[i] = opaque ? pixels.Bgra[i] : GetBValue(key);
    out[i + 1] = opaque ? pixels.Bgra[i + 1] : GetGValue(key);
    out[i + 2] = opaque ? pixels.Bgra[i + 2] : GetRValue(key);
    out[i + 3] = 0;
  }
  GdiFlush();
  return bitmap;
}

} // namespace ui::win32
