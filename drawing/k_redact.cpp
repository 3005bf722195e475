#include "drawing/k_redact.h"

#include <algorithm>

#include "base/scoped_gdi_object.h"

void KRedact::Draw(HDC dc, PaintContext& /*context*/) {
  if (points.empty())
    return;
  const POINT first = points.front();
  const POINT last = points.back();
  // The box spanned by the two points, whichever way the drag went.
  const RECT box = {std::min(first.x, last.x), std::min(first.y, last.y), std::max(first.x, last.x),
                    std::max(first.y, last.y)};
  base::ScopedBrush brush(CreateSolidBrush(color));
  FillRect(dc, &box, brush.get());
}

bool KRedact::IsValid() {
  if (points.size() < 2)
    return false;
  return points.front().x != points.back().x && points.front().y != points.back().y;
}
