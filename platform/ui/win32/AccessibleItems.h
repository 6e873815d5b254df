// The rows of a list box or of a combo box's drop-down list as a screen
// reader's children of the control (rows 0 to Count() - 1 are the children
// 1 to Count()): their texts, where they are on the screen, which is chosen,
// and a choice made as a click makes it. Windows' own proxy gives a list box
// its items; Wine's gives none, and the drive box lists its drives only here.
#pragma once

#include "platform/ui/View.h"
#include "platform/win32/WindowsSupport.h"

#include <string>

namespace ui::win32 {

class TListItems {
public:
  TListItems(HWND window, bool combo) : window_(window), combo_(combo) {}

  int Count() const;
  std::wstring Text(int row) const;
  // The chosen row, -1 for none.
  int Current() const;
  // The row's rectangle in screen coordinates: where the list draws it; a
  // closed box's chosen row in the box's field.
  bool Location(int row, RECT& screen) const;
  // Whether the row is on the screen now.
  bool Shown(int row) const;
  // The row at a point of the screen, -1 for none.
  int At(POINT screen) const;
  // Chooses the row and tells the control's parent, as a click on it does.
  void Choose(int row) const;
  // The row's state: selectable, chosen, on the screen or not, available
  // or not; with a check box, ticked or not.
  long State(int row, const TCheckRow* check) const;
  // What the default action does: a check box is ticked or unticked, a list
  // item chosen (named as Windows names it in French).
  static std::wstring Action(const TCheckRow* check);

private:
  // The list window that draws the rows: the list box, or the box's
  // drop-down list (null where the system cannot say, before Windows XP).
  HWND RowsWindow() const;
  bool Dropped() const;

  HWND window_;
  bool combo_;
};

// The index-th control of a window (1 for the first), null when none; how
// many controls it has.
HWND ControlAt(HWND window, long index);
long ControlCount(HWND window);

// Whether the window and every window around it are enabled: a disabled
// control, or one under a modal dialog (which disables its owner), is not.
bool Available(HWND window);

} // namespace ui::win32
