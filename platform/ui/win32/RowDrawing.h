// Drawing of the owner-drawn rows: the folder list's and the drive box's rows
// with their pictures, and the check list's rows with the check box the list
// draws itself.
#pragma once

#include "platform/ui/View.h"
#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

// The four row pictures (bitmap resources OPENFOLDER, CLOSEDFOLDER,
// FIXEDDRIVE, REMOVABLEDRIVE), transparent where they have the colour of
// their bottom-left pixel, resampled to the DPI they are drawn at.
class TRowPictures {
public:
  explicit TRowPictures(int dpi = 96);
  ~TRowPictures();
  TRowPictures(const TRowPictures&) = delete;
  TRowPictures& operator=(const TRowPictures&) = delete;

  // The pictures' size at 96 DPI, and as drawn.
  static constexpr int kSize = 16;
  int Size() const { return size_; }
  // Draws the picture with its top-left corner at x, y; nothing for None.
  void Draw(TPicture picture, HDC dc, int x, int y) const;

private:
  int size_ = kSize;
  HIMAGELIST list_ = nullptr;
  int index_[5] = {-1, -1, -1, -1, -1};
};

// dpi scales the 96-DPI indents, gaps and check box.
void DrawFolderRow(const DRAWITEMSTRUCT& item, const TListRow& row, const TRowPictures& pictures,
                   int dpi);
void DrawDriveRow(const DRAWITEMSTRUCT& item, const TListRow& row, const TRowPictures& pictures,
                  int dpi);
void DrawCheckRow(const DRAWITEMSTRUCT& item, const TCheckRow& row, int dpi);

} // namespace ui::win32
