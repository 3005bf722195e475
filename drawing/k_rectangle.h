#pragma once

#include "drawing/drawing.h"

// A hollow rectangle between the first and the last drag point, drawn with a plain GDI pen
// of `width` and `color`. Also the two-point shape that KEllipse and KArrow build on: after
// the drag only the start and the end point are kept, and a shape whose two points coincide
// is dropped. Owned like every shape by the capture window; UI thread.
class KRectangle : public Drawing {
 public:
  // Called on every repaint; paints from the first and the latest point, so the picture
  // during the drag equals the final one.
  void Draw(HDC dc, PaintContext& context) override;

  // Around the points, by a reach that grows with the width: the outlines of the two-point
  // shapes and an arrow's head stay within it.
  std::optional<RECT> PaintBounds() const override;

  // Called once on button-up: keeps the first and the last point only.
  void EndDraw() override;

  // Called after EndDraw: a click without movement is not worth keeping.
  bool IsValid() override;
};
