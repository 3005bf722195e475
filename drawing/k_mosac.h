#pragma once

#include "drawing/drawing.h"

// Pixelates what lies under a free-hand stroke: for every drag point, the disc of radius
// `mosaicSize` around it is replaced by 10 × 10-pixel blocks, each the average colour of the
// whole block as the device context shows it at that moment. The blocks lie on one grid
// anchored at the origin, so that discs and strokes line up. Needs the painting pass's
// `mosaicRegion` (mosaic_region.h). Ignores `width` and `color`. Owned by the capture
// window; UI thread.
class KMosac : public Drawing {
 public:
  // Called on every repaint inside a painting pass: paints each point's disc where no disc
  // of the same pass has painted yet. Puts dc's clip region back afterwards; a dc that had
  // none is left clipped to `clipRect`.
  void Draw(HDC dc) override;
};
