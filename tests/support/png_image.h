#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace testing_support {

// A PNG file as the tests see it: the header fields of its IHDR chunk, and its pixels as
// GDI+ decodes them (non-premultiplied 0xAARRGGBB, top-down rows).
struct PngImage {
  // Colour types of the IHDR chunk.
  static constexpr int kRgb = 2;
  static constexpr int kRgba = 6;

  // Reads the header and decodes `bytes`; `decoded` stays false when either fails.
  static PngImage Decode(const std::vector<uint8_t>& bytes);

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

  bool decoded = false;
  int header_width = 0;
  int header_height = 0;
  int bit_depth = 0;
  int colour_type = 0;
  // What GDI+ made of the file.
  int width = 0;
  int height = 0;
  bool gdiplus_has_alpha = false;
  std::vector<uint32_t> pixels;
};

inline int Alpha(uint32_t argb) {
  return static_cast<int>(argb >> 24);
}

// Perceived brightness 0..255 of the colour part.
inline int Luminance(uint32_t argb) {
  const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return (299 * r + 587 * g + 114 * b) / 1000;
}

}  // namespace testing_support
