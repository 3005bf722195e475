#include "capture/toolbar_placement.h"

namespace {

constexpr int kGapBelow = 5;
constexpr int kGapAbove = 3;
constexpr int kInsetInside = 3;

}  // namespace

ToolbarPlacement PlaceToolbarBeside(const RECT& selection,
                                    SIZE toolbar,
                                    int screen_height,
                                    int picker_room) {
  ToolbarPlacement placement = {selection.right, selection.bottom + kGapBelow, false};
  if (placement.x - toolbar.cx < 0)
    placement.x = toolbar.cx;
  if (placement.y > screen_height - toolbar.cy) {
    placement.y = selection.top - toolbar.cy - kGapAbove;
    if (placement.y < 0)
      placement.y = selection.top + kInsetInside;
    if (placement.y - picker_room > 0)
      placement.picker_above = true;
  }
  if (placement.y + toolbar.cy + picker_room > screen_height)
    placement.picker_above = true;
  return placement;
}
