// The program's pictures: both logos decode from their PNG resources at their
// sizes, and the row pictures are there for the lists.
#include "platform/ui/win32/PngResource.h"

#include <gtest/gtest.h>

namespace {

using ui::win32::LoadPngResource;

TEST(Win32PngResource, BothLogosDecodeAtTheirSizes) {
  const auto logo = LoadPngResource("LOGO");
  ASSERT_TRUE(logo);
  EXPECT_EQ(logo->Width, 120);
  EXPECT_EQ(logo->Height, 260);
  EXPECT_EQ(logo->Bgra.size(), 120u * 260u * 4u);
  const auto small = LoadPngResource("LOGOSMALL");
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Width, 34);
  EXPECT_EQ(small->Height, 34);
}

TEST(Win32PngResource, AMissingOrForeignResourceIsNone) {
  EXPECT_FALSE(LoadPngResource("NOSUCHPICTURE"));
  // A resource of another type under a PNG name is not found as a PNG.
  EXPECT_FALSE(LoadPngResource("OPENFOLDER"));
}

TEST(Win32PngResource, ComposingAppliesTheAlphaOverTheGround) {
  ui::win32::TPixels pixels{2, 1, {0, 0, 255, 255, /**/ 0, 0, 255, 0}}; // red opaque, clear
  HBITMAP bitmap = ui::win32::ComposeOver(pixels, RGB(0, 255, 0));
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST(Win32PngResource, TheFourRowPicturesAre16PixelBitmaps) {
  for (const char* name : {"OPENFOLDER", "CLOSEDFOLDER", "FIXEDDRIVE", "REMOVABLEDRIVE"}) {
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr) << name;
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 16) << name;
    EXPECT_EQ(info.bmHeight, 16) << name;
    DeleteObject(bitmap);
  }
}

} // namespace
