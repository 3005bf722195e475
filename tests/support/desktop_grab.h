#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace testing_support {

// A copy of an area of the desktop in Windows screen coordinates, which may lie on any
// monitor or left of and above the primary one. Copied from the screen DC as the program
// copies it: with CAPTUREBLT, so that layered windows are part of it.
class DesktopGrab {
 public:
  // The whole virtual screen.
  DesktopGrab();
  explicit DesktopGrab(const RECT& area);

  const RECT& area() const { return area_; }
  // The colour at the screen point (x, y) as a GDI colour value 0x00BBGGRR; CLR_INVALID
  // outside the area or when the copy failed.
  COLORREF Pixel(int x, int y) const;

 private:
  RECT area_;
  std::vector<uint32_t> pixels_;  // top-down rows of 0x00RRGGBB
};

// What the screen shows along row `y` from `left` to `right`, for comparing a window's looks
// at two moments.
std::vector<COLORREF> ScreenRow(LONG left, LONG right, LONG y);

// Whether a row of a pop-up shows its face: a layered window shows black until its first
// picture is presented.
bool IsPainted(const std::vector<COLORREF>& row);

}  // namespace testing_support
