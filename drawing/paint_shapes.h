#pragma once

#include <windows.h>

#include <vector>

class Drawing;

// One painting pass over the shapes on a selection, as the capture window runs it for its
// frame and for the finished picture: `dc` clipped to the selection, one mosaic pass, and
// each shape drawn in list order with its clipRect set to the selection. `dc` has no clip
// region afterwards. UI thread only.
void PaintShapes(HDC dc, const RECT& selection, const std::vector<Drawing*>& shapes);
