#include "output/image_encoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>

#include "output/indexed_picture.h"

namespace {

// (Chosen name, file type picked) -> the name written and its format: the extension always
// names what the file holds.
TEST(ImageEncoderTest, TheFileNamesItsFormat) {
  const struct {
    const wchar_t* path;
    int filter_index;
    const wchar_t* written;
    const wchar_t* type;
  } cases[] = {
      {L"C:\\a\\shot.png", 1, L"C:\\a\\shot.png", L"image/png"},
      {L"C:\\a\\shot.png.jpg", 1, L"C:\\a\\shot.png.jpg", L"image/jpeg"},
      {L"C:\\a\\SHOT.PNG", 2, L"C:\\a\\SHOT.PNG", L"image/png"},
      {L"C:\\a\\shot.JPEG", 1, L"C:\\a\\shot.JPEG", L"image/jpeg"},
      {L"C:\\a\\shot.Bmp", 1, L"C:\\a\\shot.Bmp", L"image/bmp"},
      {L"C:\\a\\shot.gif", 1, L"C:\\a\\shot.gif", L"image/gif"},
      // An installed encoder's own extension: its format.
      {L"C:\\a\\shot.tiff", 1, L"C:\\a\\shot.tiff", L"image/tiff"},
      {L"C:\\a\\shot.TIF", 2, L"C:\\a\\shot.TIF", L"image/tiff"},
      // No extension that names a format: the file type picked, and its extension added.
      {L"C:\\a\\shot.xyz", 1, L"C:\\a\\shot.xyz.png", L"image/png"},
      {L"C:\\a\\shot.xyz", 2, L"C:\\a\\shot.xyz.jpg", L"image/jpeg"},
      {L"C:\\a\\shot", 3, L"C:\\a\\shot.bmp", L"image/bmp"},
      {L"C:\\a\\shot..", 1, L"C:\\a\\shot.png", L"image/png"},
      {L"C:\\a\\shot", 4, L"C:\\a\\shot.gif", L"image/gif"},
      {L"C:\\a.png\\shot", 2, L"C:\\a.png\\shot.jpg", L"image/jpeg"},  // a folder's dot
      {L"C:\\a\\shot", 0, L"C:\\a\\shot.png", L"image/png"},
      {L"C:\\a\\shot", 9, L"C:\\a\\shot.png", L"image/png"},
  };
  for (const auto& entry : cases) {
    const SaveTarget target = ChooseSaveTarget(entry.path, entry.filter_index);
    EXPECT_EQ(target.path, entry.written) << " with file type " << entry.filter_index;
    EXPECT_EQ(target.mime_type, entry.type) << testing::PrintToString(entry.path);
  }
}

TEST(ImageEncoderTest, EveryOfferedTypeHasAnEncoder) {
  for (const wchar_t* type : {L"image/png", L"image/jpeg", L"image/bmp", L"image/gif"}) {
    CLSID clsid = {};
    EXPECT_TRUE(FindEncoder(type, &clsid)) << testing::PrintToString(type);
  }
  CLSID clsid = {};
  EXPECT_FALSE(FindEncoder(L"image/PNG", &clsid)) << "the type is matched exactly";
  EXPECT_FALSE(FindEncoder(L"image/webp-x", &clsid));
}

Gdiplus::Color ColorAt(Gdiplus::Bitmap& bitmap, int x, int y) {
  Gdiplus::Color color;
  bitmap.GetPixel(x, y, &color);
  return color;
}

TEST(IndexedPictureTest, PictureWithFewColoursKeepsThemExactly) {
  Gdiplus::Bitmap picture(64, 40, PixelFormat32bppRGB);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 64; ++x)
      picture.SetPixel(x, y, Gdiplus::Color(255, (x % 16) * 16, (y % 12) * 20, 7));
  }
  std::unique_ptr<Gdiplus::Bitmap> indexed = MakeIndexedCopy(picture);
  ASSERT_NE(indexed, nullptr);
  EXPECT_EQ(indexed->GetPixelFormat(), PixelFormat8bppIndexed);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 64; ++x) {
      ASSERT_EQ(ColorAt(*indexed, x, y).GetValue(), ColorAt(picture, x, y).GetValue())
          << "at (" << x << ", " << y << ")";
    }
  }
}

TEST(IndexedPictureTest, RichPictureGetsTheNearestOf256Colours) {
  Gdiplus::Bitmap picture(256, 128, PixelFormat32bppRGB);
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 256; ++x)
      picture.SetPixel(x, y, Gdiplus::Color(255, x, y * 2, (x + y) & 0xFF));
  }
  std::unique_ptr<Gdiplus::Bitmap> indexed = MakeIndexedCopy(picture);
  ASSERT_NE(indexed, nullptr);
  EXPECT_EQ(indexed->GetPaletteSize(),
            static_cast<INT>(sizeof(Gdiplus::ColorPalette) + 255 * sizeof(Gdiplus::ARGB)));
  long long total = 0;
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 256; ++x) {
      const Gdiplus::Color a = ColorAt(*indexed, x, y);
      const Gdiplus::Color b = ColorAt(picture, x, y);
      total += std::abs(a.GetR() - b.GetR()) + std::abs(a.GetG() - b.GetG()) +
               std::abs(a.GetB() - b.GetB());
    }
  }
  // A smooth gradient over 256 palette colours stays within a few levels per channel.
  EXPECT_LT(static_cast<double>(total) / (3 * 256 * 128), 8.0);
}

}  // namespace
