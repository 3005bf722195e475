#include "tests/support/pixel_painter.h"

#include <cstdint>
#include <vector>

#include "base/memory_bitmap.h"

namespace testing_support {

void PaintPattern(HDC dc, int x, int y, int width, int height, COLORREF (*pattern)(int, int)) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const COLORREF c = pattern(x + column, y + row);
      pixels[static_cast<size_t>(row) * width + column] =
          (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  const BITMAPINFO info = base::TopDownBitmapInfo(width, height);
  SetDIBitsToDevice(dc, x, y, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace testing_support
