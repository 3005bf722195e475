#include "dui/rectangle.h"

#include <algorithm>

namespace dui {
namespace {

// Edges are computed in 64 bits so that no sum of a coordinate and a size overflows.
int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

bool Rectangle::Contains(const Point& p) const {
  return x <= p.x && p.x < right() && y <= p.y && p.y < bottom();
}

bool Rectangle::Intersect(const Rectangle& other, Rectangle* result) const {
  const int32_t left = std::max(x, other.x);
  const int32_t top = std::max(y, other.y);
  const int64_t common_right = std::min(right(), other.right());
  const int64_t common_bottom = std::min(bottom(), other.bottom());
  *result = {left, top, Clamp32(common_right - left), Clamp32(common_bottom - top)};
  return !result->IsEmpty();
}

Rectangle Rectangle::Union(const Rectangle& other) const {
  const int32_t left = std::min(x, other.x);
  const int32_t top = std::min(y, other.y);
  return {left, top, Clamp32(std::max(right(), other.right()) - left),
          Clamp32(std::max(bottom(), other.bottom()) - top)};
}

Rectangle Rectangle::Offset(int32_t dx, int32_t dy) const {
  return {Clamp32(static_cast<int64_t>(x) + dx), Clamp32(static_cast<int64_t>(y) + dy), width,
          height};
}

}  // namespace dui
