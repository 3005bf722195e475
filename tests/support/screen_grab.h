#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace testing_support {

// A copy of what the display shows, taken through the screen DC, or of any DC area.
class ScreenGrab {
 public:
  // Grabs the whole screen.
  ScreenGrab();
  // Grabs (x, y, width, height) of `dc`.
  ScreenGrab(HDC dc, int x, int y, int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // The colour at (x, y) as a GDI colour value 0x00BBGGRR.
  COLORREF Pixel(int x, int y) const;

 private:
  void Grab(HDC dc, int x, int y);

  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;  // top-down rows of 0x00RRGGBB
};

}  // namespace testing_support
