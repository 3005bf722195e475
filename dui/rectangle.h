#pragma once

#include <cstdint>

#include "base/gdiplus.h"
#include "dui/point.h"

namespace dui {

// An axis-aligned area in pixels: origin and size, laid out like the GDI+ integer
// rectangle. Empty when either side is 0 or less. The right and bottom edges are outside.
struct Rectangle {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool IsEmpty() const { return width <= 0 || height <= 0; }
  int64_t right() const { return static_cast<int64_t>(x) + width; }
  int64_t bottom() const { return static_cast<int64_t>(y) + height; }

  bool Contains(const Point& p) const;
  // The common part of both; true when it is not empty.
  bool Intersect(const Rectangle& other, Rectangle* result) const;
  // The bounding box of both.
  Rectangle Union(const Rectangle& other) const;
  Rectangle Offset(int32_t dx, int32_t dy) const;

  Gdiplus::Rect ToGdiplus() const { return Gdiplus::Rect(x, y, width, height); }
};

inline bool operator==(const Rectangle& a, const Rectangle& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

inline bool operator!=(const Rectangle& a, const Rectangle& b) {
  return !(a == b);
}

static_assert(sizeof(Rectangle) == sizeof(Gdiplus::Rect), "laid out like Gdiplus::Rect");

}  // namespace dui
