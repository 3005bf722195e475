#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/screen_grab.h"

namespace testing_support {

// The bitmap on the clipboard, read back as pixels; empty when there is none.
struct ClipboardPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // top-down rows of 0x00RRGGBB

  static ClipboardPicture Read();
  COLORREF Pixel(int x, int y) const;
};

// Whether the clipboard holds a picture of `area` of `screen`, pixel for pixel.
testing::AssertionResult ClipboardShows(const ScreenGrab& screen, const RECT& area);

// Empties the clipboard, so that a test sees only what the program put there.
void ClearClipboard();

}  // namespace testing_support
