#include "drawing/k_ellipse.h"

#include <algorithm>
#include <cstdlib>

#include "base/gdiplus.h"
#include "drawing/gdiplus_color.h"

void KEllipse::Draw(HDC dc, PaintContext& /*context*/) {
  if (points.empty())
    return;
  const POINT first = points.front();
  const POINT last = points.back();
  Gdiplus::Graphics graphics(dc);
  Gdiplus::Pen pen(GdiplusColorFromColorref(color), static_cast<Gdiplus::REAL>(width));
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  // The box spanned by the two points, whichever way the drag went: a box with negative
  // extents would trace the same ellipse mirrored, which need not rasterise identically.
  const INT left = std::min(first.x, last.x);
  const INT top = std::min(first.y, last.y);
  const INT box_width = std::abs(last.x - first.x);
  const INT box_height = std::abs(last.y - first.y);
  graphics.DrawEllipse(&pen, left, top, box_width, box_height);
}
