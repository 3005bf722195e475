#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Outside the selection the picture shows at 60 % over black.
constexpr BYTE kDimAlpha = 153;

// Dims `count` 32-bit pixels of `source` into `target` (which may be `source`): each byte c
// becomes (c * 153 + 127) / 255, the very value an AlphaBlend at a constant alpha of 153 over
// black gives it, sixteen bytes at a time.
void DimPixels(const uint32_t* source, uint32_t* target, size_t count);

// Dims `area` of `source` into the same place of `target`, both 32-bit pictures with rows
// top-down, `width` pixels wide, whose pending drawing is done (GdiFlush).
void DimArea(const uint32_t* source, uint32_t* target, int width, const RECT& area);
