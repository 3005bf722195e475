#pragma once

#include <cstdint>

namespace dui {

// A position in pixels; which coordinate system it is in is said where it is passed.
struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

inline bool operator==(const Point& a, const Point& b) {
  return a.x == b.x && a.y == b.y;
}

}  // namespace dui
