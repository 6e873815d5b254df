// Drawing of the owner-drawn rows: the folder list's and the drive box's rows
// with their pictures, and the check list's rows with the check box the list
// draws itself.
#pragma once

#include "platform/ui/View.h"
#include "platform/win32/WindowsSupport.h"

namespace ui::win32 {

// The four row pictures (bitmap resources OPENFOLDER, CLOSEDFOLDER,
// FIXEDDRIVE, REMOVABLEDRIVE), transparent where they have the colour of
// their bottom-left pixel.
class TRowPictures {
public:
  TRowPictures();
  ~TRowPictures();
  TRowPictures(const TRowPictures&) = delete;
  TRowPictures& operator=(const TRowPictures&) = delete;

  static constexpr int kSize = 16;
  // Draws the picture with its top-left corner at x, y; nothing for None.
  void Draw(TPicture picture, HDC dc, int x, int y) const;

private:
  HIMAGELIST list_ = nullptr;
  int index_[5] = {-1, -1, -1, -1, -1};
};

void DrawFolderRow(const DRAWITEMSTRUCT& item, const TListRow& row, const TRowPictures& pictures);
void DrawDriveRow(const DRAWITEMSTRUCT& item, const TListRow& row, const TRowPictures& pictures);
void DrawCheckRow(const DRAWITEMSTRUCT& item, const TCheckRow& row);

} // namespace ui::win32
