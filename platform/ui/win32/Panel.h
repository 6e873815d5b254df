// A plain container window (the page area and the page sheets): paints its
// bevels, and passes its children's notifications on to its parent, so that
// the wizard window handles every control wherever it sits.
#pragma once

#include "platform/ui/win32/Window.h"

#include <vector>

namespace ui::win32 {

class TPanel : public TWindow {
public:
  enum class TFrame { None, PageArea };
  // A child of parent at that rectangle; check Handle() for success.
  TPanel(HWND parent, const RECT& rect, TFrame frame, bool visible);

  // A rectangle drawn with a raised inner and lowered outer bevel, in 96-DPI
  // units scaled to the panel's DPI.
  void AddBevel(const RECT& rect) { bevels_.push_back(rect); }
  void SetDpi(int dpi) { dpi_ = dpi; }

protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void Paint();
  TFrame frame_;
  std::vector<RECT> bevels_;
  int dpi_ = 96;
};

} // namespace ui::win32
