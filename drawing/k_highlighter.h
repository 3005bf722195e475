#pragma once

#include <cstdint>
#include <vector>

#include "drawing/k_pen.h"

// A marker's stroke: a wide pen's path that darkens what lies beneath rather than covering
// it. Each channel of a pixel under the stroke becomes that channel times the colour's (a
// multiply blend), so text beneath stays readable; the path is laid down once as a whole, so
// where the stroke crosses itself it darkens no more. With `straight` set, the stroke runs
// from its first point straight across or straight down, whichever is the longer way to the
// latest point. Owned by the capture window; UI thread.
class KHighlighter : public KPen {
 public:
  void Draw(HDC dc, PaintContext& context) override;
  bool ReadsPixelsBeneath() const override { return true; }
  void AddPoint(POINT point) override;

 private:
  // The stroke's coverage of each pixel of `area`, 0 to 255, laid down as one path.
  std::vector<uint8_t> Coverage(const RECT& area) const;
};
