#include "drawing/k_arrow.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>

#include "tests/drawing/memory_canvas.h"

namespace {

using drawing_testing::Drag;
using drawing_testing::DrawAlone;
using drawing_testing::MemoryCanvas;

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 160, 60);

// Whether a pixel is nearer to the arrow's colour than to the background in every channel.
// Edge pixels are blended where the head's edge crosses them; whether they are depends on
// the platform's anti-aliasing, so the checks at the tip only ask which side they lean to.
bool LeansToColor(COLORREF pixel, COLORREF color) {
  const auto nearer = [](int value, int to, int from) {
    return std::abs(value - to) < std::abs(value - from);
  };
  return nearer(GetRValue(pixel), GetRValue(color), GetRValue(kBackground)) &&
         nearer(GetGValue(pixel), GetGValue(color), GetGValue(kBackground)) &&
         nearer(GetBValue(pixel), GetBValue(color), GetBValue(kBackground));
}

struct PixelCase {
  int x;
  int y;
  COLORREF expected;
};

void ExpectPixels(const MemoryCanvas& canvas, const std::vector<PixelCase>& cases) {
  for (const PixelCase& entry : cases) {
    EXPECT_EQ(canvas.Pixel(entry.x, entry.y), entry.expected)
        << "at (" << entry.x << ", " << entry.y << ")";
  }
}

TEST(ArrowTest, ThinArrowAsLongAsItsHeadIsDrawnAndKept) {
  // Width 1 from (100, 100) to (110, 100): the head fills (110, 100), (100, 104), (100, 96)
  // and hides the shaft, which stops at x = 108.
  MemoryCanvas canvas(200, 200, kBackground);
  KArrow arrow;
  arrow.width = 1;
  arrow.color = kGreen;
  Drag(arrow, {{100, 100}, {105, 101}, {110, 100}});
  EXPECT_TRUE(arrow.IsValid());
  DrawAlone(arrow, canvas.dc());
  ExpectPixels(canvas, {
                           // Inside the head, from its base to next to the tip.
                           {101, 100, kGreen},
                           {104, 100, kGreen},
                           {108, 100, kGreen},
                           {102, 102, kGreen},
                           {102, 98, kGreen},
                           {103, 102, kGreen},
                           // Beyond the tip, behind the base, and outside the slanted edges.
                           {111, 100, kBackground},
                           {99, 100, kBackground},
                           {100, 106, kBackground},
                           {100, 94, kBackground},
                           {104, 104, kBackground},
                           {104, 96, kBackground},
                           {108, 102, kBackground},
                       });
  // The head ends at the release point: the pixel before it is mostly covered, the pixel
  // at it only by the very point.
  EXPECT_TRUE(LeansToColor(canvas.Pixel(109, 100), kGreen));
  EXPECT_FALSE(LeansToColor(canvas.Pixel(110, 100), kGreen));
}

TEST(ArrowTest, ArrowShorterThanItsHeadIsNeitherDrawnNorKept) {
  // Width 1 to (109, 100): 9 pixels long, the head is 10.
  MemoryCanvas canvas(200, 200, kBackground);
  const std::vector<COLORREF> untouched = canvas.Pixels();
  KArrow arrow;
  arrow.width = 1;
  arrow.color = kGreen;
  arrow.AddPoint({100, 100});
  arrow.AddPoint({109, 100});
  DrawAlone(arrow, canvas.dc());
  EXPECT_EQ(canvas.Pixels(), untouched) << "drawn during the drag";
  arrow.EndDraw();
  EXPECT_FALSE(arrow.IsValid());
  DrawAlone(arrow, canvas.dc());
  EXPECT_EQ(canvas.Pixels(), untouched);
}

TEST(ArrowTest, ThickArrowPointingDownHasItsHeadBaseAt80AndItsShaftStopsInside) {
  // Width 5 from (0, 0) to (0, 100): the shaft covers x -2.5 to 2.5 from y 0 to 90, the head
  // (0, 100), (-8, 80), (8, 80). Only its right half lies on the canvas.
  MemoryCanvas canvas(50, 120, kBackground);
  KArrow arrow;
  arrow.width = 5;
  arrow.color = kGreen;
  Drag(arrow, {{0, 0}, {0, 100}});
  EXPECT_TRUE(arrow.IsValid());
  DrawAlone(arrow, canvas.dc());
  ExpectPixels(canvas, {
                           // The shaft, two and a half pixels either side of x = 0.
                           {0, 40, kGreen},
                           {2, 40, kGreen},
                           {3, 40, kBackground},
                           {2, 79, kGreen},
                           // The head's base at y = 80: just below it the head is 7.6
                           // pixels wide, just above it only the shaft is painted.
                           {6, 81, kGreen},
                           {9, 81, kBackground},
                           {6, 79, kBackground},
                           {4, 79, kBackground},
                           // The head narrows to the tip at (0, 100).
                           {3, 90, kGreen},
                           {5, 90, kBackground},
                           {0, 98, kGreen},
                           {0, 101, kBackground},
                           // Near the tip the head is narrower than the shaft; a shaft that
                           // ran on to the tip would show here.
                           {2, 98, kBackground},
                           {1, 95, kGreen},
                       });
  EXPECT_TRUE(LeansToColor(canvas.Pixel(0, 99), kGreen));
  EXPECT_FALSE(LeansToColor(canvas.Pixel(0, 100), kGreen));
}

TEST(ArrowTest, HeadTurnsWithADiagonalShaftAndEndsAtTheReleasePoint) {
  // Width 3 from (100, 100) to (130, 140): 50 pixels long along (0.6, 0.8), head 16 by 6.
  MemoryCanvas canvas(200, 200, kBackground);
  KArrow arrow;
  arrow.width = 3;
  arrow.color = kGreen;
  Drag(arrow, {{100, 100}, {130, 140}});
  ASSERT_TRUE(arrow.IsValid());
  DrawAlone(arrow, canvas.dc());
  ExpectPixels(canvas, {
                           {131, 141, kBackground},
                           {128, 137, kGreen},
                           // About 11 back from the tip and 3 to either side: inside the
                           // head (4.1 wide there) but outside the shaft.
                           {121, 133, kGreen},
                           {125, 129, kGreen},
                           // 12 back and 6 to the side: outside the head.
                           {128, 127, kBackground},
                           {118, 135, kBackground},
                           // Half-way along the shaft and beside it.
                           {115, 120, kGreen},
                           {119, 117, kBackground},
                       });
}

TEST(ArrowTest, HeadSizesOfThePickerWidthsAndTheirContinuation) {
  const struct {
    int width;
    float length;
    float half_width;
  } cases[] = {
      {1, 10, 4}, {3, 16, 6},  {5, 20, 8},       {2, 13, 5}, {4, 18, 7},
      {0, 10, 4}, {-1, 10, 4}, {INT_MIN, 10, 4}, {6, 22, 9}, {10, 30, 13},
  };
  for (const auto& entry : cases) {
    const KArrow::Head head = KArrow::HeadForWidth(entry.width);
    EXPECT_FLOAT_EQ(head.length, entry.length) << "width " << entry.width;
    EXPECT_FLOAT_EQ(head.half_width, entry.half_width) << "width " << entry.width;
  }
  // Wider lines never get smaller heads, and the shaft's end, two widths short of the tip,
  // stays inside the head.
  KArrow::Head previous = KArrow::HeadForWidth(0);
  for (int width : {1, 2, 3, 4, 5, 6, 50, 1000, 1 << 20}) {
    const KArrow::Head head = KArrow::HeadForWidth(width);
    EXPECT_GE(head.length, previous.length) << "width " << width;
    EXPECT_GE(head.half_width, previous.half_width) << "width " << width;
    EXPECT_GT(head.length, 2.0f * static_cast<float>(width)) << "width " << width;
    previous = head;
  }
  // Even the widest line has a head of finite size.
  const KArrow::Head widest = KArrow::HeadForWidth(INT_MAX);
  EXPECT_TRUE(std::isfinite(widest.length) && std::isfinite(widest.half_width));
  EXPECT_GE(widest.length, previous.length);
}

TEST(ArrowTest, KeptExactlyWhenDrawn) {
  // For each width, arrows one pixel shorter than the head and exactly as long, straight
  // and diagonal (a 6-8-10 triangle scales the head length for widths 1, 3 and 5).
  const struct {
    int width;
    POINT tip;
    bool kept;
  } cases[] = {
      {1, {109, 100}, false}, {1, {110, 100}, true},  {1, {106, 108}, true},
      {1, {106, 107}, false}, {3, {115, 100}, false}, {3, {116, 100}, true},
      {5, {100, 119}, false}, {5, {100, 120}, true},  {5, {112, 116}, true},
      {5, {112, 115}, false}, {0, {100, 110}, true},  {0, {100, 109}, false},
      {2, {113, 100}, true},  {2, {112, 100}, false}, {8, {100, 126}, true},
      {8, {100, 125}, false},
  };
  for (const auto& entry : cases) {
    MemoryCanvas canvas(200, 200, kBackground);
    const std::vector<COLORREF> untouched = canvas.Pixels();
    KArrow arrow;
    arrow.width = entry.width;
    arrow.color = kGreen;
    Drag(arrow, {{100, 100}, entry.tip});
    DrawAlone(arrow, canvas.dc());
    const bool drawn = canvas.Pixels() != untouched;
    EXPECT_EQ(arrow.IsValid(), entry.kept)
        << "width " << entry.width << " to (" << entry.tip.x << ", " << entry.tip.y << ")";
    EXPECT_EQ(drawn, entry.kept) << "width " << entry.width << " to (" << entry.tip.x << ", "
                                 << entry.tip.y << ")";
  }
}

}  // namespace
