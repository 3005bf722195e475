#pragma once

#include "drawing/drawing.h"

// A freehand stroke through every drag point, anti-aliased with round caps and joins, in
// `color` and `width` drawn with GDI+; a click leaves a dot. The stroke is continuous between
// the points the mouse delivered, however far apart. Owned by the capture window; UI thread.
class KPen : public Drawing {
 public:
  void Draw(HDC dc, PaintContext& context) override;
  // Around the points, by the width and the smoothing.
  std::optional<RECT> PaintBounds() const override;
};
