#pragma once

#include <memory>

#include "base/gdiplus.h"

// An 8-bit palette copy of a picture, for the GIF encoder: a picture with at most 256
// colours keeps them exactly; a richer one gets a median-cut palette of 256 colours and
// each pixel the nearest of them. Writing the palette ourselves gives the same GIF on
// every system, where the platform's encoder would otherwise fall back to a fixed palette.
std::unique_ptr<Gdiplus::Bitmap> MakeIndexedCopy(Gdiplus::Bitmap& picture);
