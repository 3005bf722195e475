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

std::optional<RECT> LayOutEditBox(POINT origin,
                                  const EditTextMetrics& text,
                                  const RECT& selection) {
  const int right_limit = static_cast<int>(selection.right) - kEdgeInset;
  const int bottom_limit = static_cast<int>(selection.bottom) - kEdgeInset;
  const int room_width = right_limit - static_cast<int>(selection.left);
  const int room_height = bottom_limit - static_cast<int>(selection.top);
  const int line_height = text.LineHeight();
  const SIZE unwrapped = text.Unwrapped();

  int width = static_cast<int>(unwrapped.cx) + kWidthPadding;
  int lines = std::max(static_cast<int>(unwrapped.cy), 1);
  if (width > room_width) {
    width = std::max(room_width, 0);
    lines = std::max(text.LinesWrappedAt(width - kWidthPadding), 1);
  }
  if (lines * line_height + kHeightPadding > room_height)
    return std::nullopt;
  // A spare line below the text, where there is room for it, lets the box take the line a
  // wrap begins before it grows.
  const int height = std::min((lines + 1) * line_height + kHeightPadding, room_height);

  // One character of about a line's height, and one line with the spare line below it.
  const int least_width = std::max(width, line_height + kWidthPadding);
  const int least_height = std::max(height, 2 * line_height + kHeightPadding);
  const int left = FitOrigin(origin.x, right_limit, least_width, selection.left);
  const int top = FitOrigin(origin.y, bottom_limit, least_height, selection.top);
  return RECT{left, top, left + width, top + height};
}
