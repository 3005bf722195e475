#pragma once

#include "base/gdiplus.h"

namespace dui {

// Draws `image` over `target` as a nine-part grid: the four corners (border_x by border_y)
// keep their size, the edges stretch along their length and the centre both ways. Pixels
// are copied without smoothing, so stretched edges stay crisp.
void DrawNineGrid(Gdiplus::Graphics& graphics,
                  Gdiplus::Image* image,
                  const Gdiplus::Rect& target,
                  int border_x,
                  int border_y);

}  // namespace dui
