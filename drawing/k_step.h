#pragma once

#include "drawing/drawing.h"

// A numbered step marker: a filled, anti-aliased circle in `color` around the first point,
// showing `number` in bold, white or black, whichever reads better on the colour. Its
// diameter grows with `width`. The steps of a picture count 1, 2, 3, ... in the order they
// were placed. Owned by the capture window; UI thread.
class KStep : public Drawing {
 public:
  // The circle's diameter for a line width: 22, 30 and 38 pixels for the picker's 1, 3, 5.
  static int DiameterForWidth(int width);
  // Whether the number on `color` (a GDI colour value) is black rather than white.
  static bool TakesBlackNumber(COLORREF color);

  void Draw(HDC dc, PaintContext& context) override;
  std::optional<RECT> PaintBounds() const override;
  bool Counts() const override { return true; }
};
