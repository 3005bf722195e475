#pragma once

#include "drawing/k_rectangle.h"

// A straight arrow from the first drag point (the tail) to the last (the tip): an
// anti-aliased GDI+ shaft of `width` and a filled triangular head whose size grows with the
// width. An arrow shorter than its own head is neither drawn nor kept. Keeps the two-point
// behaviour of KRectangle. Owned by the capture window; UI thread.
class KArrow : public KRectangle {
 public:
  // Length and half-width of the head, in pixels.
  struct Head {
    float length;
    float half_width;
  };

  // The head for a line width. Every width has one: the picker's widths 1, 3 and 5 have
  // their own sizes, and the others continue them.
  static Head HeadForWidth(int width);

  // Called on every repaint; paints nothing while the arrow is shorter than its head.
  void Draw(HDC dc, PaintContext& context) override;

  // Called after EndDraw: exactly the arrows that Draw paints are kept.
  bool IsValid() override;

 private:
  // Whether the tail lies at least one head length from the tip. Needs two points.
  bool IsLongerThanHead() const;
};
