#include "output/cut_out.h"

#include <gtest/gtest.h>

#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

COLORREF PatternAt(int x, int y) {
  return RGB(x * 5, y * 7, (x + y) * 3);
}

// A screen-compatible bitmap painted with the pattern, as the frozen picture is.
base::ScopedBitmap PatternBitmap() {
  base::ScopedGetDc screen(nullptr);
  base::ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
  base::ScopedCreateDc memory(CreateCompatibleDC(screen.get()));
  base::ScopedSelectObject select(memory.get(), bitmap.get());
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x)
      SetPixel(memory.get(), x, y, PatternAt(x, y));
  }
  return bitmap;
}

// The part is the area's own pixels, whatever corner of the picture it comes from; an area
// that reaches outside the picture makes none.
TEST(CutOutTest, TheAreaComesOutPixelForPixelOrNotAtAll) {
  const base::ScopedBitmap bitmap = PatternBitmap();
  const struct {
    RECT area;
    bool made;
  } cases[] = {
      {{0, 0, kWidth, kHeight}, true},
      {{7, 5, 19, 26}, true},
      {{kWidth - 1, kHeight - 1, kWidth, kHeight}, true},
      {{30, 20, kWidth + 10, kHeight}, false},
      {{-5, 0, 10, 10}, false},
  };
  for (const auto& c : cases) {
    const std::unique_ptr<Gdiplus::Bitmap> part = CutOut(bitmap.get(), c.area);
    ASSERT_EQ(part != nullptr, c.made) << c.area.left << "," << c.area.top;
    if (!part)
      continue;
    ASSERT_EQ(static_cast<LONG>(part->GetWidth()), c.area.right - c.area.left);
    ASSERT_EQ(static_cast<LONG>(part->GetHeight()), c.area.bottom - c.area.top);
    for (int y = 0; y < c.area.bottom - c.area.top; y += 3) {
      for (int x = 0; x < c.area.right - c.area.left; x += 3) {
        Gdiplus::Color color;
        part->GetPixel(x, y, &color);
        EXPECT_EQ(color.ToCOLORREF(), PatternAt(c.area.left + x, c.area.top + y))
            << "at " << x << "," << y;
      }
    }
  }
}

}  // namespace
