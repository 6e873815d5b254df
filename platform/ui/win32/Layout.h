// Where every control of the wizard window sits: its window class, styles,
// parent (the window itself or a page sheet) and rectangle in pixels.
#pragma once

#include "platform/ui/View.h"
#include "platform/win32/WindowsSupport.h"

#include <span>

namespace ui::win32 {

inline constexpr int kClientWidth = 492;
inline constexpr int kClientHeight = 351;
inline constexpr int kPageCount = 8;

// The banner, the page area and the separator, in client coordinates.
inline constexpr RECT kBannerRect = {0, 0, kClientWidth, 46};
inline constexpr RECT kPageAreaRect = {120, 41, 120 + 375, 41 + 268};
inline constexpr int kSeparatorTop = 306;
// The left panel's 2-pixel line along its right edge (the panel is 123 wide).
inline constexpr RECT kLeftLineRect = {121, 46, 123, kSeparatorTop};
// A sheet inside the page area's frame.
inline constexpr int kSheetInset = 4;

// Row heights of the lists.
inline constexpr int kFolderRowHeight = 17;
// Width of the check box that the check list draws; the mouse strip that
// toggles a row is two pixels wider.
inline constexpr int kCheckBoxSize = 13;
inline constexpr int kCheckStripWidth = kCheckBoxSize + 2;

struct TControlLayout {
  TControl Control;
  int Page; // -1: on the window itself; 0 to 7: on that page's sheet
  const char* ClassName;
  DWORD Style;
  int X, Y, Width, Height;
};

// Every control but the window itself, in creation (and Tab) order: each
// label comes right before the control its accelerator focuses.
std::span<const TControlLayout> ControlLayouts();

// The control's window ID, distinct from IDOK and IDCANCEL.
inline int ControlId(TControl control) {
  return 100 + static_cast<int>(control);
}

// A rectangle with a raised inner and lowered outer bevel drawn by the sheet
// of that page.
struct TBevel {
  int Page;
  RECT Rect;
};
std::span<const TBevel> SheetBevels();

} // namespace ui::win32
