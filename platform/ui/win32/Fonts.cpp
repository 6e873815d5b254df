// The view's fonts at a DPI.
#include "platform/ui/win32/Fonts.h"

#include "platform/ui/win32/Dpi.h"

namespace ui::win32 {
namespace {

HFONT MakeFont(int height, const TFontSpec& spec) {
  return CreateFontA(-height, 0, 0, 0, spec.Weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, spec.Face);
}

} // namespace

HFONT ScaledFont(const TFontSpec& spec, int dpi) {
  const HFONT base = MakeFont(spec.Pixels, spec);
  const int lineLimit = TextHeight(base) * dpi / kBaseDpi;
  DeleteObject(base);
  int height = spec.Pixels * dpi / kBaseDpi;
  HFONT font = MakeFont(height, spec);
  while (height > spec.Pixels && TextHeight(font) > lineLimit) {
    DeleteObject(font);
    font = MakeFont(--height, spec);
  }
  return font;
}

int TextHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

} // namespace ui::win32
