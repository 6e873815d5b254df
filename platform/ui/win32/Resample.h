// Pictures drawn larger than they were made: resampled with a bilinear
// filter over premultiplied alpha, so that edges blend instead of showing
// enlarged pixels or dark fringes.
#pragma once

#include "platform/ui/win32/PngResource.h"

namespace ui::win32 {

// The pixels at width x height (each at least 1); a copy when the size is
// unchanged.
TPixels Resample(const TPixels& source, int width, int height);

// A bitmap's pixels, with the colour key made transparent.
TPixels PixelsOfBitmap(HBITMAP bitmap, COLORREF key);

// A 24-bit bitmap of the pixels for a masked image list: opaque where the
// resampled alpha is at least one half, the key colour elsewhere.
HBITMAP MaskedBitmap(const TPixels& pixels, COLORREF key);

} // namespace ui::win32
