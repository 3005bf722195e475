#pragma once

#include <windows.h>

#include <memory>

#include "base/gdiplus.h"

// The `area` of the picture in `bitmap` as a GDI+ bitmap of its own, or null when it cannot
// be made.
std::unique_ptr<Gdiplus::Bitmap> CutOut(HBITMAP bitmap, const RECT& area);
