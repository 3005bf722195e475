#pragma once

#include <cstdint>

// The choices of the colour and size picker, written by the picker and copied whole by the
// capture window when it needs colours and sizes. Twelve 32-bit integers in a fixed order.
struct PickerSettings {
  int32_t kind;           // tool kind: 0 rectangle, 1 arrow, 4 text, 5 ellipse, 7 mosaic
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

// The record a picker starts from before a tool sets its own values.
inline constexpr PickerSettings kDefaultPickerSettings = {0, 1, 3, 5, 7, 9, 0, 0, 12, 0, 0, 12};

static_assert(sizeof(PickerSettings) == 12 * sizeof(int32_t), "twelve packed integers");
