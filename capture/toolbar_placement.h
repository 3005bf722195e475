#pragma once

#include <windows.h>

// Where the toolbar goes for a selection: the screen point its top-right corner hangs from,
// and whether its picker must open above it for lack of room below.
struct ToolbarPlacement {
  int x;
  int y;
  bool picker_above;
};

// Under the selection's bottom-right corner; above the selection when there is no room
// below, and inside it, under its top edge, when there is none above either; never past
// the left screen edge. `toolbar` is the toolbar's size, `picker_room` the height the picker
// needs beside it.
ToolbarPlacement PlaceToolbarBeside(const RECT& selection,
                                    SIZE toolbar,
                                    int screen_height,
                                    int picker_room);
