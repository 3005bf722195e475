#pragma once

#include "drawing/k_rectangle.h"

// A solid box between the first and the last drag point, every pixel of it `color`: it hides
// what lies beneath for good, where a mosaic only blurs it. The two-point behaviour of
// KRectangle; a box without area is not kept. Owned by the capture window; UI thread.
class KRedact : public KRectangle {
 public:
  void Draw(HDC dc, PaintContext& context) override;
  bool IsValid() override;
};
