#include "drawing/k_rectangle.h"

#include <algorithm>

#include "base/scoped_gdi_object.h"
#include "base/scoped_select_object.h"

void KRectangle::Draw(HDC dc) {
  if (points.empty())
    return;
  const POINT first = points.front();
  const POINT last = points.back();
  // A click without movement shows nothing, during the drag as after it.
  if (first.x == last.x && first.y == last.y)
    return;
  base::ScopedPen pen(CreatePen(PS_SOLID, width, color));
  base::ScopedSelectObject select_brush(dc, GetStockObject(NULL_BRUSH));
  base::ScopedSelectObject select_pen(dc, pen.get());
  if (first.x == last.x || first.y == last.y) {
    // GDI draws nothing for a rectangle without area, yet a drag along one axis is kept:
    // it shows as a line of the pen's width, the same whichever way the drag went.
    const POINT line[] = {{std::min(first.x, last.x), std::min(first.y, last.y)},
                          {std::max(first.x, last.x), std::max(first.y, last.y)}};
    Polyline(dc, line, 2);
    return;
  }
  // GDI orders the corners itself, so a drag in any direction gives the same rectangle.
  Rectangle(dc, first.x, first.y, last.x, last.y);
}

void KRectangle::EndDraw() {
  if (points.empty())
    return;
  points = {points.front(), points.back()};
}

bool KRectangle::IsValid() {
  if (points.size() < 2)
    return false;
  const POINT first = points.front();
  const POINT last = points.back();
  return first.x != last.x || first.y != last.y;
}
