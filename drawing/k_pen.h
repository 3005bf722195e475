#pragma once

#include <vector>

#include "base/gdiplus.h"
#include "drawing/drawing.h"

// A freehand stroke through every drag point, anti-aliased with round caps and joins, in
// `color` and `width` drawn with GDI+; a click leaves a dot. The stroke is continuous between
// the points the mouse delivered, however far apart. Owned by the capture window; UI thread.
class KPen : public Drawing {
 public:
  void Draw(HDC dc, PaintContext& context) override;
  // Around the points, by the width and the smoothing.
  std::optional<RECT> PaintBounds() const override;

 protected:
  // The stroke through `points` in `color`, `width` wide with round caps and joins, or a dot
  // for one point, on `graphics` as it is set up.
  static void Stroke(Gdiplus::Graphics& graphics,
                     const std::vector<POINT>& points,
                     const Gdiplus::Color& color,
                     int width);
};
