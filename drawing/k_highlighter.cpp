#include "drawing/k_highlighter.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/gdiplus.h"
#include "base/memory_bitmap.h"

namespace {

// `channel` under `marker` at `coverage`: the multiply blend, faded in by the coverage.
uint8_t Darken(uint32_t channel, uint32_t marker, uint32_t coverage) {
  const uint32_t multiplied = (channel * marker + 127) / 255;
  return static_cast<uint8_t>((channel * (255 - coverage) + multiplied * coverage + 127) / 255);
}

}  // namespace

std::vector<uint8_t> KHighlighter::Coverage(const RECT& area) const {
  const int area_width = area.right - area.left;
  const int area_height = area.bottom - area.top;
  Gdiplus::Bitmap mask(area_width, area_height, PixelFormat32bppARGB);
  std::vector<uint8_t> coverage(static_cast<size_t>(area_width) * area_height, 0);
  if (mask.GetLastStatus() != Gdiplus::Ok)
    return coverage;
  {
    Gdiplus::Graphics graphics(&mask);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.TranslateTransform(static_cast<Gdiplus::REAL>(-area.left),
                                static_cast<Gdiplus::REAL>(-area.top));
    Stroke(graphics, points, Gdiplus::Color(255, 255, 255, 255), width);
  }
  Gdiplus::BitmapData data = {};
  Gdiplus::Rect whole(0, 0, area_width, area_height);
  if (mask.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
    return coverage;
  for (int y = 0; y < area_height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) +
                                                        static_cast<ptrdiff_t>(y) * data.Stride);
    for (int x = 0; x < area_width; ++x)
      coverage[static_cast<size_t>(y) * area_width + x] = static_cast<uint8_t>(row[x] >> 24);
  }
  mask.UnlockBits(&data);
  return coverage;
}

void KHighlighter::AddPoint(POINT point) {
  if (!straight || points.empty()) {
    KPen::AddPoint(point);
    return;
  }
  const POINT first = points.front();
  const bool across = std::abs(point.x - first.x) >= std::abs(point.y - first.y);
  points = {first, across ? POINT{point.x, first.y} : POINT{first.x, point.y}};
}

void KHighlighter::Draw(HDC dc, PaintContext& /*context*/) {
  const std::optional<RECT> bounds = PaintBounds();
  RECT area = {};
  if (!bounds || !IntersectRect(&area, &*bounds, &clipRect))
    return;
  const int area_width = area.right - area.left;
  const int area_height = area.bottom - area.top;
  base::MemoryBitmap beneath;
  if (!beneath.MakeTopDown32(area_width, area_height))
    return;
  BitBlt(beneath.dc(), 0, 0, area_width, area_height, dc, area.left, area.top, SRCCOPY);
  GdiFlush();
  const std::vector<uint8_t> coverage = Coverage(area);
  auto* pixels = static_cast<uint32_t*>(beneath.bits());
  for (size_t i = 0; i < coverage.size(); ++i) {
    if (coverage[i] == 0)
      continue;
    const uint32_t pixel = pixels[i];
    pixels[i] =
        (static_cast<uint32_t>(Darken((pixel >> 16) & 0xFF, GetRValue(color), coverage[i])) << 16) |
        (static_cast<uint32_t>(Darken((pixel >> 8) & 0xFF, GetGValue(color), coverage[i])) << 8) |
        Darken(pixel & 0xFF, GetBValue(color), coverage[i]);
  }
  // Back through the target's clipping, which may be narrower than the selection.
  BitBlt(dc, area.left, area.top, area_width, area_height, beneath.dc(), 0, 0, SRCCOPY);
}
