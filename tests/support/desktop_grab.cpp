#include "tests/support/desktop_grab.h"

#include <algorithm>

#include "base/memory_bitmap.h"
#include "base/scoped_get_dc.h"

namespace testing_support {
namespace {

RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

DesktopGrab::DesktopGrab() : DesktopGrab(VirtualScreen()) {}

DesktopGrab::DesktopGrab(const RECT& area) : area_(area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  base::MemoryBitmap copy;
  base::ScopedGetDc screen(nullptr);
  if (!screen || !copy.MakeTopDown32(width, height))
    return;
  if (!BitBlt(copy.dc(), 0, 0, width, height, screen.get(), area.left, area.top,
              SRCCOPY | CAPTUREBLT)) {
    return;
  }
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(copy.bits());
  pixels_.assign(source, source + static_cast<size_t>(width) * height);
}

COLORREF DesktopGrab::Pixel(int x, int y) const {
  const POINT point = {x, y};
  if (pixels_.empty() || !PtInRect(&area_, point))
    return CLR_INVALID;
  const size_t row = static_cast<size_t>(y - area_.top);
  const uint32_t pixel = pixels_[row * (area_.right - area_.left) + (x - area_.left)];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::vector<COLORREF> ScreenRow(LONG left, LONG right, LONG y) {
  const DesktopGrab grab({left, y, right, y + 1});
  std::vector<COLORREF> row;
  for (LONG x = left; x < right; ++x)
    row.push_back(grab.Pixel(x, y));
  return row;
}

bool IsPainted(const std::vector<COLORREF>& row) {
  return std::any_of(row.begin(), row.end(), [](COLORREF pixel) { return pixel != RGB(0, 0, 0); });
}

}  // namespace testing_support
