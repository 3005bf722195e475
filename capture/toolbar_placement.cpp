#include "capture/toolbar_placement.h"

#include <algorithm>

namespace {

constexpr int kGapBelow = 5;
constexpr int kGapAbove = 3;
constexpr int kInsetInside = 3;

}  // namespace

RECT ToolbarRect(const ToolbarPlacement& placement, SIZE toolbar) {
  return {placement.x - toolbar.cx, placement.y, placement.x, placement.y + toolbar.cy};
}

ToolbarPlacement PlaceToolbarBeside(const RECT& selection,
                                    SIZE toolbar,
                                    const base::DesktopGeometry& desktop,
                                    int picker_room) {
  // The monitor of the selection's bottom-right pixel, where the toolbar hangs from.
  const POINT corner = {selection.right - 1, selection.bottom - 1};
  const RECT corner_monitor = desktop.MonitorAt(corner);
  const base::DpiScale scale = desktop.ScaleAt(corner);
  ToolbarPlacement placement = {std::min<int>(selection.right, corner_monitor.right),
                                selection.bottom + scale.Scale(kGapBelow), false};
  if (placement.x - toolbar.cx < corner_monitor.left)
    placement.x = corner_monitor.left + toolbar.cx;
  if (!base::DesktopGeometry::Holds(corner_monitor, ToolbarRect(placement, toolbar))) {
    placement.y = selection.top - toolbar.cy - scale.Scale(kGapAbove);
    // Inside, under the selection's top or the monitor's, where the selection reaches above
    // its monitor (across an area no monitor shows).
    if (placement.y < corner_monitor.top)
      placement.y = std::max<int>(selection.top, corner_monitor.top) + scale.Scale(kInsetInside);
    if (placement.y - picker_room > corner_monitor.top)
      placement.picker_above = true;
  }
  const RECT picker_below = {placement.x - toolbar.cx, placement.y + toolbar.cy, placement.x,
                             placement.y + toolbar.cy + picker_room};
  if (!base::DesktopGeometry::Holds(corner_monitor, picker_below))
    placement.picker_above = true;
  return placement;
}
