#pragma once

#include <windows.h>

namespace testing_support {

// A header for 32-bit top-down device-independent pixels of the given size.
BITMAPINFO TopDownBitmapInfo(int width, int height);

// Paints `pattern` (a colour for each point, as a GDI colour value) into the area
// (x, y, width, height) of `dc`.
void PaintPattern(HDC dc, int x, int y, int width, int height, COLORREF (*pattern)(int, int));

}  // namespace testing_support
