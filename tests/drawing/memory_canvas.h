#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/memory_bitmap.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "drawing/drawing.h"
#include "drawing/paint_context.h"

namespace drawing_testing {

// A memory DC over a 32-bit top-down DIB section whose pixels the test reads and writes
// directly, as the capture window's frame is painted.
class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height, COLORREF background) : width_(width), height_(height) {
    const BITMAPINFO info = base::TopDownBitmapInfo(width, height);
    void* bits = nullptr;
    dc_.reset(CreateCompatibleDC(nullptr));
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    Fill(background);
  }
  ~MemoryCanvas() { SelectObject(dc_.get(), previous_); }

  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  void Fill(COLORREF color) {
    GdiFlush();
    std::fill(bits_, bits_ + Index(0, height_), ToDibPixel(color));
  }

  void SetPixelColor(int x, int y, COLORREF color) {
    GdiFlush();
    bits_[Index(x, y)] = ToDibPixel(color);
  }

  // The colour at (x, y) as a GDI colour value; CLR_INVALID outside the canvas.
  COLORREF Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
      return CLR_INVALID;
    GdiFlush();
    const uint32_t pixel = bits_[Index(x, y)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

  // Every pixel, row by row, for comparing whole pictures.
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x)
        pixels.push_back(Pixel(x, y));
    }
    return pixels;
  }

 private:
  static uint32_t ToDibPixel(COLORREF color) {
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  }

  size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }

  int width_;
  int height_;
  base::ScopedCreateDc dc_;
  base::ScopedBitmap bitmap_;
  uint32_t* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// A shape fed with `points` as a drag feeds it, ended as a button-up ends it.
template <typename Shape>
void Drag(Shape& shape, const std::vector<POINT>& points) {
  for (const POINT& point : points)
    shape.AddPoint(point);
  shape.EndDraw();
}

// Draws `shape` on `dc` by itself, with the context of no painting pass, which only a mosaic
// needs.
inline void DrawAlone(Drawing& shape, HDC dc) {
  PaintContext no_pass;
  shape.Draw(dc, no_pass);
}

}  // namespace drawing_testing
