#pragma once

#include "drawing/k_rectangle.h"

// A hollow, anti-aliased ellipse inscribed in the box spanned by the first and the last
// drag point, drawn with GDI+. Keeps the two-point behaviour of KRectangle. Owned by the
// capture window; UI thread.
class KEllipse : public KRectangle {
 public:
  // Called on every repaint, from the first and the latest point.
  void Draw(HDC dc, PaintContext& context) override;
};
