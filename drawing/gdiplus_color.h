#pragma once

#include <windows.h>

#include "base/gdiplus.h"

// The opaque GDI+ colour of a shape's GDI colour value (0x00BBGGRR): the GDI+ shapes paint
// with the same red, green and blue as the GDI ones.
inline Gdiplus::Color GdiplusColorFromColorref(COLORREF color) {
  constexpr BYTE kOpaque = 0xFF;
  return Gdiplus::Color(kOpaque, GetRValue(color), GetGValue(color), GetBValue(color));
}
