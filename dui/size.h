#pragma once

#include <cstdint>

namespace dui {

// A width and a height in pixels.
struct Size {
  int32_t width = 0;
  int32_t height = 0;
};

inline bool operator==(const Size& a, const Size& b) {
  return a.width == b.width && a.height == b.height;
}

}  // namespace dui
