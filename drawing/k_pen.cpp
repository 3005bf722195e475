#include "drawing/k_pen.h"

#include <algorithm>

#include "drawing/gdiplus_color.h"

namespace {

// The smoothing reaches a pixel past the pen's half width.
constexpr int kSmoothingReach = 2;

}  // namespace

void KPen::Draw(HDC dc, PaintContext& /*context*/) {
  if (points.empty())
    return;
  Gdiplus::Graphics graphics(dc);
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Stroke(graphics, points, GdiplusColorFromColorref(color), width);
}

void KPen::Stroke(Gdiplus::Graphics& graphics,
                  const std::vector<POINT>& points,
                  const Gdiplus::Color& color,
                  int width) {
  const Gdiplus::REAL pen_width = static_cast<Gdiplus::REAL>(std::max(width, 1));
  if (points.size() == 1) {
    Gdiplus::SolidBrush brush(color);
    const Gdiplus::REAL radius = pen_width / 2;
    graphics.FillEllipse(&brush, points[0].x - radius, points[0].y - radius, pen_width, pen_width);
    return;
  }
  Gdiplus::Pen pen(color, pen_width);
  pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
  pen.SetLineJoin(Gdiplus::LineJoinRound);
  std::vector<Gdiplus::Point> line;
  line.reserve(points.size());
  for (const POINT& point : points)
    line.emplace_back(point.x, point.y);
  graphics.DrawLines(&pen, line.data(), static_cast<INT>(line.size()));
}

std::optional<RECT> KPen::PaintBounds() const {
  if (points.empty())
    return std::nullopt;
  RECT area = {points.front().x, points.front().y, points.front().x + 1, points.front().y + 1};
  for (const POINT& point : points) {
    area = {std::min(area.left, point.x), std::min(area.top, point.y),
            std::max(area.right, point.x + 1), std::max(area.bottom, point.y + 1)};
  }
  const int reach = std::max(width, 1) / 2 + kSmoothingReach;
  InflateRect(&area, reach, reach);
  return area;
}
