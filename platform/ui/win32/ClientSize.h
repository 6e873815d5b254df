// A window sized by its client area at a DPI: the size the system reports
// for the caption and frame is an estimate, corrected by measuring.
#pragma once

#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

// The window rectangle's size for a client area of that size with that
// style, as the system reports it for the DPI: AdjustWindowRectExForDpi
// where the system has it; else AdjustWindowRectEx, which answers with the
// caption and frame of the DPI the user signed in at.
SIZE FrameSize(SIZE client, DWORD style, DWORD exStyle, int dpi);

// Gives window a client area of exactly that size at the DPI: sized by
// FrameSize, then by the difference its client area measures (a monitor of
// another scale has another caption and frame than the system reports).
// The window moves to place's top-left corner, or stays when place is null.
void SetClientSize(HWND window, SIZE client, int dpi, const RECT* place);

} // namespace ui::win32
