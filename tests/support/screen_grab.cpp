#include "tests/support/screen_grab.h"

#include "base/memory_bitmap.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"

namespace testing_support {

ScreenGrab::ScreenGrab()
    : width_(GetSystemMetrics(SM_CXSCREEN)), height_(GetSystemMetrics(SM_CYSCREEN)) {
  base::ScopedGetDc screen(nullptr);
  Grab(screen.get(), 0, 0);
}

ScreenGrab::ScreenGrab(HDC dc, int x, int y, int width, int height)
    : width_(width), height_(height) {
  Grab(dc, x, y);
}

void ScreenGrab::Grab(HDC dc, int x, int y) {
  const BITMAPINFO info = base::TopDownBitmapInfo(width_, height_);
  void* bits = nullptr;
  base::ScopedBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  base::ScopedCreateDc memory(CreateCompatibleDC(dc));
  if (!bitmap || !memory)
    return;
  {
    base::ScopedSelectObject select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width_, height_, dc, x, y, SRCCOPY);
  }
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  pixels_.assign(source, source + static_cast<size_t>(width_) * height_);
}

COLORREF ScreenGrab::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty())
    return CLR_INVALID;
  const uint32_t pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace testing_support
