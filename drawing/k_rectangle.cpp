#include "drawing/k_rectangle.h"

#include <algorithm>

#include "base/scoped_gdi_object.h"
#include "base/scoped_select_object.h"

namespace {

// How far an outline shape may paint past its points.
constexpr int kReachInWidths = 3;
constexpr int kReach = 24;

}  // namespace

void KRectangle::Draw(HDC dc, PaintContext& /*context*/) {
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

std::optional<RECT> KRectangle::PaintBounds() const {
  if (points.empty())
    return std::nullopt;
  RECT area = {points.front().x, points.front().y, points.front().x, points.front().y};
  for (const POINT& point : points) {
    area = {std::min(area.left, point.x), std::min(area.top, point.y),
            std::max(area.right, point.x + 1), std::max(area.bottom, point.y + 1)};
  }
  const int reach = kReachInWidths * std::max(width, 0) + kReach;
  InflateRect(&area, reach, reach);
  return area;
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
