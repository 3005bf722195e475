#include "capture/edit_box_layout.h"

#include <algorithm>

namespace {

constexpr int kEdgeInset = 3;
constexpr int kWidthPadding = 20;
constexpr int kHeightPadding = 10;

// The origin moved back from `limit` by `room`, but not past `low`.
int FitOrigin(LONG origin, int limit, int room, LONG low) {
  return std::max(std::min(static_cast<int>(origin), limit - room), static_cast<int>(low));
}

}  // namespace

RECT LayOutEditBox(POINT origin, SIZE text, int lines, const RECT& selection) {
  const int right_limit = static_cast<int>(selection.right) - kEdgeInset;
  const int bottom_limit = static_cast<int>(selection.bottom) - kEdgeInset;
  const int line_height = static_cast<int>(text.cy);
  // One character of about a line's height, and one line with the spare line below it.
  const int least_width = line_height + kWidthPadding;
  const int least_height = 2 * line_height + kHeightPadding;

  const int left = FitOrigin(origin.x, right_limit, least_width, selection.left);
  const int top = FitOrigin(origin.y, bottom_limit, least_height, selection.top);
  const int right = std::min(left + static_cast<int>(text.cx) + kWidthPadding, right_limit);
  const int bottom =
      std::min(top + (std::max(lines, 1) + 1) * line_height + kHeightPadding, bottom_limit);
  const RECT box = {left, top, std::max(right, left), std::max(bottom, top)};
  return box;
}
