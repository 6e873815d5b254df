// A monitor whose caption and frame are larger than the system's metrics say,
// as on Windows when a window sits on a monitor of another scale than the one
// the user signed in at: while a TThickerFrames lives, every top-level window
// this thread creates takes Extra more pixels of its window rectangle for its
// caption (WM_NCCALCSIZE) and Extra more for its frame's width.
#pragma once

#include "platform/win32/WindowsSupport.h"

class TThickerFrames {
public:
  static constexpr int Extra = 20;
  TThickerFrames();
  ~TThickerFrames();
  TThickerFrames(const TThickerFrames&) = delete;
  TThickerFrames& operator=(const TThickerFrames&) = delete;

private:
  HHOOK hook_;
};
