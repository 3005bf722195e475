#pragma once

#include <cstddef>
#include <cstdint>

#include <windows.h>

// Tool kinds of the picker's settings record.
enum class ToolKind : int32_t {
  kRectangle = 0,
  kArrow = 1,
  kText = 4,
  kEllipse = 5,
  kMosaic = 7,
  // Laid out like the shapes.
  kPen = 8,
  kHighlighter = 9,
  kStep = 10,
  kRedact = 11,
};

// The choices of the colour and size picker, written by the picker and copied whole by the
// capture window when it needs colours and sizes. Twelve 32-bit integers in a fixed order,
// as the host suite's record has them. Every index in it is read through the lookups
// below, which keep it within its table whatever the record holds.
struct PickerSettings {
  int32_t kind;           // a ToolKind; 2 and 3 are laid out like shapes, 6 like text
  int32_t width0;         // line width of the small size
  int32_t width1;         // line width of the middle size
  int32_t width2;         // line width of the large size
  int32_t width3;         // offered by no layout
  int32_t width4;         // offered by no layout
  int32_t sizeIndex;      // size chosen when the picker opens
  int32_t colorIndex;     // colour chosen when the picker opens
  int32_t fontIndex;      // font-size entry chosen when the picker opens
  int32_t curSizeIndex;   // size chosen now
  int32_t curColorIndex;  // colour chosen now
  int32_t curFontIndex;   // font-size entry chosen now
};

static_assert(sizeof(PickerSettings) == 12 * sizeof(int32_t), "twelve packed integers");
static_assert(offsetof(PickerSettings, curColorIndex) == 10 * sizeof(int32_t),
              "the colour index is field 10");

// The record a picker starts from before a tool sets its own values.
inline constexpr PickerSettings kDefaultPickerSettings = {0, 1, 3, 5, 7, 9, 0, 0, 12, 0, 0, 12};

inline constexpr int kPaletteSize = 16;
// The picker's sixteen colours, as ARGB.
inline constexpr uint32_t kPalette[kPaletteSize] = {
    0xFF000000, 0xFF808080, 0xFF800000, 0xFF808000, 0xFF008000, 0xFF000080, 0xFF800080, 0xFF008080,
    0xFFFFFFFF, 0xFFC0C0C0, 0xFFFF0000, 0xFFFFFF00, 0xFF00FF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF,
};

// Line widths and mosaic sizes share the size index; the mosaic offers five sizes.
inline constexpr int kSizeCount = 5;
// Mosaic disc radius in pixels, by size index.
inline constexpr int kMosaicSizes[kSizeCount] = {5, 10, 20, 30, 40};
// Text size in points, by font-size index (the list shows the same numbers).
inline constexpr int kFontPointCount = 8;
inline constexpr int kFontPoints[kFontPointCount] = {8, 10, 12, 14, 16, 18, 20, 22};

// `index` kept within [0, count).
constexpr int BoundIndex(int32_t index, int count) {
  return index < 0 ? 0 : (index >= count ? count - 1 : index);
}

// The palette entry `index` as ARGB.
constexpr uint32_t PaletteColor(int32_t index) {
  return kPalette[BoundIndex(index, kPaletteSize)];
}

// An ARGB colour as a GDI colour value: alpha dropped, red and blue exchanged.
constexpr COLORREF ToColorRef(uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// What the capture window reads of a record: the colour, line width, mosaic radius and text
// size chosen now.
inline COLORREF ChosenColor(const PickerSettings& s) {
  return ToColorRef(PaletteColor(s.curColorIndex));
}
inline int ChosenLineWidth(const PickerSettings& s) {
  const int32_t widths[kSizeCount] = {s.width0, s.width1, s.width2, s.width3, s.width4};
  return widths[BoundIndex(s.curSizeIndex, kSizeCount)];
}
inline int ChosenMosaicSize(const PickerSettings& s) {
  return kMosaicSizes[BoundIndex(s.curSizeIndex, kSizeCount)];
}
inline int ChosenFontPoints(const PickerSettings& s) {
  return kFontPoints[BoundIndex(s.curFontIndex, kFontPointCount)];
}
