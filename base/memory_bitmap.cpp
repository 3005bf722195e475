#include "base/memory_bitmap.h"

namespace base {

BITMAPINFO TopDownBitmapInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

bool MemoryBitmap::MakeCompatible(HDC dc, int width, int height) {
  Reset();
  dc_.reset(CreateCompatibleDC(dc));
  return Select(CreateCompatibleBitmap(dc, width, height));
}

bool MemoryBitmap::MakeTopDown32(int width, int height) {
  Reset();
  const BITMAPINFO info = TopDownBitmapInfo(width, height);
  dc_.reset(CreateCompatibleDC(nullptr));
  return Select(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
}

bool MemoryBitmap::Select(HBITMAP bitmap) {
  bitmap_.reset(bitmap);
  if (!dc_ || !bitmap_) {
    Reset();
    return false;
  }
  selection_ = std::make_unique<ScopedSelectObject>(dc_.get(), bitmap_.get());
  return true;
}

void MemoryBitmap::Reset() {
  selection_.reset();
  bitmap_.reset();
  dc_.reset();
  bits_ = nullptr;
}

}  // namespace base
