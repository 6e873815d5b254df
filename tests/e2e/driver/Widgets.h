// Driver commands on the controls of another program's window, found by class,
// caption and position as a person would find them: listing them, pressing
// buttons, reading and choosing list rows, ticking check-list rows, reading a
// progress bar, sending keys and asking where the focus is.
#pragma once

#include "Support.h"

#include <string>
#include <vector>

namespace driver {

// Which descendants a command looks at. Positions are in the client
// coordinates of the window searched.
struct ChildQuery {
  NameFilter name;
  bool visible = false; // only visible ones
  bool enabled = false; // only enabled ones
  bool hasWithin = false;
  RECT within{};      // only those lying wholly inside
  unsigned index = 0; // the index-th match (0 is the first)
};

// Every descendant: handle class state x,y,w,h "text".
int Tree(HWND window);
// The rectangle the wizard's layout table gives the control (by its ID),
// each of x, y, width and height scaled from 96 DPI to dpi: "x,y,w,h" in its
// parent's client coordinates, as tree prints it for a control of the window
// itself.
int LayoutRect(HWND control, int dpi);
// The matching descendant, or null.
HWND FindChild(HWND window, const ChildQuery& query);
// The texts of every matching descendant with a non-empty text, one a line.
int Texts(HWND window, const ChildQuery& query);
// Waits until a visible Button captioned `caption` exists, is enabled and its
// window takes input (no modal dialog over it), then posts BM_CLICK. With
// several captions, every button is found first and the clicks are then
// posted back to back, so that they arrive one right after the other.
int Press(HWND window, const std::vector<std::wstring>& captions, DWORD timeoutMs);
// A list or combo box's rows: index, item data, 1 when selected, text.
int Rows(HWND control);
// Makes row `index` the current one as a user would: by selecting it and
// posting the notification the control sends its parent, or (mouse) by a
// click in the middle of the row.
int Choose(HWND control, unsigned index, bool mouse);
// A click in the check strip (x 2..10) of a check list's row.
int Toggle(HWND control, unsigned index);
// "position low high" of a progress bar.
int Progress(HWND control);
// Posts a key press (WM_KEYDOWN, WM_KEYUP): a virtual-key code or one of
// escape, return, space, tab.
int Key(HWND control, const std::wstring& key);
// The control that has the keyboard focus in the window's thread.
int Focus(HWND window);

} // namespace driver
