#pragma once

#include "drawing/drawing.h"

// Pixelates what lies under a free-hand stroke: every pixel whose centre lies within
// `mosaicSize` of the path from drag point to drag point (of the point, for a stroke of
// one) is replaced by its 10 × 10-pixel block's average colour, as the device context shows
// the block before that part of the path. The system reports only some of the positions a
// fast move passes, so the path between two of them is taken as straight. The blocks lie on
// one grid anchored at the origin, so that pieces and strokes line up. Needs the region of
// the painting pass's context (paint_context.h). Ignores `width` and `color`. Owned by the
// capture window; UI thread.
class KMosac : public Drawing {
 public:
  // Called on every repaint inside a painting pass: paints the path from point to point
  // where no mosaic of the same pass has painted yet, one piece for each two neighbouring
  // points, in order. Leaves dc's clip region as it was.
  void Draw(HDC dc, PaintContext& context) override;

  // A stroke of one point is its disc, which the piece to a second point paints anew; from two
  // points on, each new point adds a piece.
  bool PaintsPieceByPiece() const override { return points.size() >= 2; }
  // The pieces to the points from `first` (at least 1) on.
  void DrawFrom(HDC dc, PaintContext& context, size_t first) override;

  // A block's average takes in what lies beneath the stroke.
  bool ReadsPixelsBeneath() const override { return true; }
};
