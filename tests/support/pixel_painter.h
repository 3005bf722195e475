#pragma once

#include <windows.h>

namespace testing_support {

// Paints `pattern` (a colour for each point, as a GDI colour value) into the area
// (x, y, width, height) of `dc`.
void PaintPattern(HDC dc, int x, int y, int width, int height, COLORREF (*pattern)(int, int));

}  // namespace testing_support
