#pragma once

#include <windows.h>

#include "base/desktop_geometry.h"

// Where the toolbar goes for a selection: the screen point its top-right corner hangs from,
// and whether its picker must open above it for lack of room below.
struct ToolbarPlacement {
  int x;
  int y;
  bool picker_above;
};

// The toolbar's rectangle, `toolbar` large, hanging from the point of `placement`.
RECT ToolbarRect(const ToolbarPlacement& placement, SIZE toolbar);

// Under the selection's bottom-right corner, wholly on the monitor of that corner (the one
// that shows it, or the nearest), also where another monitor goes on below; above the
// selection when that monitor has no room below, and inside it, under its top edge (or the
// monitor's, when the selection reaches above the monitor), when it has none above either; never
// past that monitor's left or right edge. The picker opens above where the monitor has no room for
// it below, and whenever the toolbar went above the selection and the monitor has room over it.
// `selection` is in screen coordinates, `toolbar` the toolbar's size and `picker_room` the height
// the picker needs beside it at that monitor's scale, which the gaps take too.
ToolbarPlacement PlaceToolbarBeside(const RECT& selection,
                                    SIZE toolbar,
                                    const base::DesktopGeometry& desktop,
                                    int picker_room);
