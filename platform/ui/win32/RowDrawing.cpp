// Owner drawing of the folder list, the drive box and the check list.
#include "platform/ui/win32/RowDrawing.h"

#include "platform/ui/win32/Dpi.h"
#include "platform/ui/win32/DynamicCalls.h"
#include "platform/ui/win32/Layout.h"
#include "platform/ui/win32/Resample.h"
#include "platform/ui/win32/WideText.h"

#include <commctrl.h>

namespace ui::win32 {
namespace {

const char* const kPictureNames[] = {nullptr, "OPENFOLDER", "CLOSEDFOLDER", "FIXEDDRIVE",
                                     "REMOVABLEDRIVE"};

// The colour of a bitmap's bottom-left pixel, its transparent colour.
COLORREF BottomLeftColour(HBITMAP bitmap) {
  BITMAP info;
  if (!GetObjectA(bitmap, sizeof info, &info))
    return RGB(255, 0, 255);
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF colour = GetPixel(dc, 0, info.bmHeight - 1);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

// Background and text colours of a list row: highlighted when selected.
void PrepareColours(HDC dc, bool selected) {
  SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
}

void FillBackground(HDC dc, const RECT& rect) {
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

SIZE TextSize(HDC dc, const std::wstring& text) {
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text.empty() ? L"A" : text.c_str(),
                        text.empty() ? 1 : static_cast<int>(text.size()), &size);
  if (text.empty())
    size.cx = 0;
  return size;
}

void TextAt(HDC dc, int x, int y, const std::wstring& text) {
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void DrawCheckBox(HWND list, HDC dc, const RECT& box, uint8_t state) {
  // BP_CHECKBOX with CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL or CBS_CHECKEDDISABLED.
  constexpr int kCheckBoxPart = 3;
  const int themedState = state == 0 ? 1 : state == 1 ? 5 : 8;
  if (DrawThemedPart(list, L"BUTTON", kCheckBoxPart, themedState, dc, box))
    return;
  UINT flags = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (state != 0)
    flags |= DFCS_CHECKED;
  if (state == 2)
    flags |= DFCS_INACTIVE;
  RECT copy = box;
  DrawFrameControl(dc, &copy, DFC_BUTTON, flags);
}

} // namespace

TRowPictures::TRowPictures(int dpi) : size_(Scale(kSize, dpi)) {
  list_ = ImageList_Create(size_, size_, ILC_COLOR24 | ILC_MASK, 4, 0);
  if (!list_)
    return;
  for (int i = 1; i <= 4; ++i) {
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), kPictureNames[i], IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap)
      continue;
    const COLORREF key = BottomLeftColour(bitmap);
    HBITMAP scaled = nullptr;
    if (size_ != kSize)
      scaled = MaskedBitmap(Resample(PixelsOfBitmap(bitmap, key), size_, size_), key);
    index_[i] = ImageList_AddMasked(list_, scaled ? scaled : bitmap, key);
    if (scaled)
      DeleteObject(scaled);
    DeleteObject(bitmap);
  }
}

TRowPictures::~TRowPictures() {
  if (list_)
    ImageList_Destroy(list_);
}

void TRowPictures::Draw(TPicture picture, HDC dc, int x, int y) const {
  const int index = index_[static_cast<int>(picture)];
  if (list_ && index >= 0)
    ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
}

void DrawFolderRow(const DRAWITEMSTRUCT& item, const TListRow& row, const TRowPictures& pictures,
                   int dpi) {
  const HDC dc = item.hDC;
  const RECT& rect = item.rcItem;
  PrepareColours(dc, (item.itemState & ODS_SELECTED) != 0);
  FillBackground(dc, rect);
  const int height = rect.bottom - rect.top;
  const int pictureX = rect.left + Scale(row.Indent, dpi);
  pictures.Draw(row.Picture, dc, pictureX, rect.top + (height - pictures.Size()) / 2);
  // The text begins 4 pixels after the picture, centred on the height of "A".
  const int textX =
      pictureX + (row.Picture == TPicture::None ? 0 : pictures.Size()) + Scale(4, dpi);
  const int letterHeight = TextSize(dc, L"A").cy;
  SetBkMode(dc, TRANSPARENT);
  // A folder's name: the system's code page.
  TextAt(dc, textX, rect.top + (height - letterHeight) / 2, WideOf(row.Text, CP_ACP));
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
    DrawFocusRect(dc, &rect);
}

void DrawDriveRow(const DRAWITEMSTRUCT& item, const TListRow& row, const TRowPictures& pictures,
                  int dpi) {
  const HDC dc = item.hDC;
  RECT rect = item.rcItem;
  // Window colours whether the row is selected or not.
  PrepareColours(dc, false);
  FillBackground(dc, rect);
  const int height = rect.bottom - rect.top;
  pictures.Draw(row.Picture, dc, rect.left + Scale(2, dpi),
                rect.top + (height - pictures.Size()) / 2);
  RECT textRect = rect;
  textRect.left += pictures.Size() + Scale(6, dpi);
  SetBkMode(dc, TRANSPARENT);
  // A drive's letter and label: the system's code page.
  const std::wstring text = WideOf(row.Text, CP_ACP);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
    DrawFocusRect(dc, &rect);
}

void DrawCheckRow(const DRAWITEMSTRUCT& item, const TCheckRow& row, int dpi) {
  const HDC dc = item.hDC;
  const RECT& whole = item.rcItem;
  const int height = whole.bottom - whole.top;

  // The check box on the window colour, in the strip that toggles the row.
  PrepareColours(dc, false);
  RECT strip = whole;
  strip.right = strip.left + Scale(kCheckStripWidth, dpi);
  FillBackground(dc, strip);
  const int boxSize = Scale(kCheckBoxSize, dpi);
  const int boxTop = whole.top + (height - boxSize) / 2;
  const RECT box = {whole.left + Scale(1, dpi), boxTop, whole.left + Scale(1, dpi) + boxSize,
                    boxTop + boxSize};
  DrawCheckBox(item.hwndItem, dc, box, row.State);

  // The row to the right of the strip: name on the left, size on the right.
  RECT rect = whole;
  rect.left = strip.right;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  PrepareColours(dc, selected);
  FillBackground(dc, rect);
  if (row.GrayText || (item.itemState & ODS_DISABLED))
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  const std::wstring name = WideOf(row.Name);
  const std::wstring sizeText = WideOf(row.SizeText);
  const SIZE nameSize = TextSize(dc, name);
  TextAt(dc, rect.left + Scale(2, dpi), rect.top + (height - nameSize.cy) / 2, name);
  const SIZE sizeSize = TextSize(dc, sizeText);
  TextAt(dc, rect.right - sizeSize.cx - Scale(2, dpi), rect.top + (height - sizeSize.cy) / 2,
         sizeText);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
    DrawFocusRect(dc, &rect);
}

} // namespace ui::win32
