#include "drawing/k_arrow.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/gdiplus.h"
#include "drawing/gdiplus_color.h"

namespace {

// The heads of the widths the picker offers for arrows.
constexpr int kThinWidth = 1;
constexpr int kMediumWidth = 3;
constexpr int kThickWidth = 5;
constexpr KArrow::Head kThinHead = {10, 4};
constexpr KArrow::Head kMediumHead = {16, 6};
constexpr KArrow::Head kThickHead = {20, 8};

// The shaft stops this many line widths short of the tip, inside the head, so that its flat
// end does not show past the head's point.
constexpr float kShaftShortfallInWidths = 2;

KArrow::Head Interpolate(const KArrow::Head& from, const KArrow::Head& to, float fraction) {
  return {from.length + (to.length - from.length) * fraction,
          from.half_width + (to.half_width - from.half_width) * fraction};
}

int64_t SquaredLength(POINT from, POINT to) {
  const int64_t dx = static_cast<int64_t>(to.x) - from.x;
  const int64_t dy = static_cast<int64_t>(to.y) - from.y;
  return dx * dx + dy * dy;
}

}  // namespace

// Below the thinnest width the head stays the thinnest one; between the picker's widths it
// is interpolated linearly (2 gives 13 by 5, 4 gives 18 by 7); past the thickest it goes on
// growing as it does from 3 to 5: 2 pixels longer and 1 pixel wider per pixel of width.
KArrow::Head KArrow::HeadForWidth(int width) {
  if (width <= kThinWidth)
    return kThinHead;
  if (width < kMediumWidth) {
    return Interpolate(kThinHead, kMediumHead,
                       static_cast<float>(width - kThinWidth) / (kMediumWidth - kThinWidth));
  }
  // Past the thick width the fraction exceeds 1, which extrapolates the same line.
  return Interpolate(kMediumHead, kThickHead,
                     (static_cast<float>(width) - kMediumWidth) / (kThickWidth - kMediumWidth));
}

bool KArrow::IsLongerThanHead() const {
  const float length = HeadForWidth(width).length;
  return static_cast<double>(SquaredLength(points.front(), points.back())) >=
         static_cast<double>(length) * length;
}

void KArrow::Draw(HDC dc, PaintContext& /*context*/) {
  if (points.size() < 2 || !IsLongerThanHead())
    return;
  const POINT tail = points.front();
  const POINT tip = points.back();
  const Head head = HeadForWidth(width);
  const float distance = std::sqrt(static_cast<float>(SquaredLength(tail, tip)));
  const float cosine = static_cast<float>(static_cast<int64_t>(tip.x) - tail.x) / distance;
  const float sine = static_cast<float>(static_cast<int64_t>(tip.y) - tail.y) / distance;

  // The head (0, 0), (-L, W), (-L, -W) turned along the arrow and moved to the tip.
  const Gdiplus::PointF corners[] = {
      {0, 0}, {-head.length, head.half_width}, {-head.length, -head.half_width}};
  Gdiplus::PointF triangle[3];
  for (int i = 0; i < 3; ++i) {
    triangle[i] = {corners[i].X * cosine - corners[i].Y * sine + tip.x,
                   corners[i].X * sine + corners[i].Y * cosine + tip.y};
  }
  const float shaft_length =
      distance - kShaftShortfallInWidths * static_cast<float>(std::max(width, 0));
  const Gdiplus::PointF shaft_start(static_cast<float>(tail.x), static_cast<float>(tail.y));
  const Gdiplus::PointF shaft_end(tail.x + cosine * shaft_length, tail.y + sine * shaft_length);

  Gdiplus::Graphics graphics(dc);
  const Gdiplus::Color argb = GdiplusColorFromColorref(color);
  Gdiplus::Pen pen(argb, static_cast<Gdiplus::REAL>(width));
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.DrawLine(&pen, shaft_start, shaft_end);
  Gdiplus::SolidBrush brush(argb);
  graphics.FillPolygon(&brush, triangle, 3, Gdiplus::FillModeAlternate);
}

bool KArrow::IsValid() {
  return points.size() >= 2 && IsLongerThanHead();
}
