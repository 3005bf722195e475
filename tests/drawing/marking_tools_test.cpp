// The pen, the highlighter, the numbered step and the redaction box, by the pixels they paint
// on a memory canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "drawing/k_highlighter.h"
#include "drawing/k_pen.h"
#include "drawing/k_redact.h"
#include "drawing/k_step.h"
#include "tests/drawing/memory_canvas.h"

namespace {

using drawing_testing::Drag;
using drawing_testing::DrawAlone;
using drawing_testing::MemoryCanvas;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(230, 20, 40);
// A marker colour with no channel at full strength, so that a second darkening would show.
constexpr COLORREF kMarker = RGB(255, 200, 100);

struct PixelCase {
  const char* what;
  int x;
  int y;
  COLORREF expected;
};

// A white 400 x 300 canvas with a grey block at (100, 90)-(150, 110) standing for text.
class TextCanvas : public MemoryCanvas {
 public:
  TextCanvas() : MemoryCanvas(400, 300, kWhite) {
    for (int y = 90; y < 110; ++y) {
      for (int x = 100; x < 150; ++x)
        SetPixelColor(x, y, kGrey);
    }
  }
};

// `shape` dragged through `drag` in `color` and `width`, drawn on `canvas`.
MemoryCanvas& Paint(MemoryCanvas& canvas,
                    Drawing& shape,
                    COLORREF color,
                    int width,
                    const std::vector<POINT>& drag) {
  shape.color = color;
  shape.width = width;
  shape.clipRect = {0, 0, canvas.width(), canvas.height()};
  Drag(shape, drag);
  DrawAlone(shape, canvas.dc());
  return canvas;
}

void ExpectPixels(const MemoryCanvas& canvas, const std::vector<PixelCase>& cases) {
  for (const PixelCase& c : cases)
    EXPECT_EQ(canvas.Pixel(c.x, c.y), c.expected) << c.what << " at " << c.x << ", " << c.y;
}

// A pen stroke is continuous between points far apart and round at its corner; a click is a
// dot. A highlighter multiplies what lies beneath by its colour, once also where the stroke
// runs back over itself, and goes straight across while Shift is held. A redaction box
// covers every pixel of its box with its colour and none outside.
TEST(MarkingToolsTest, EachShapePaintsItsPixels) {
  {
    TextCanvas canvas;
    KPen pen;
    Paint(canvas, pen, kRed, 3, {{50, 50}, {350, 50}, {350, 250}});
    for (int x = 50; x <= 350; x += 10)
      EXPECT_EQ(canvas.Pixel(x, 50), kRed) << "the stroke at x " << x;
    ExpectPixels(canvas, {{"down the second leg", 350, 200, kRed},
                          {"beside the stroke", 200, 54, kWhite},
                          {"inside the turn", 300, 100, kWhite}});
    KPen dot;
    Paint(canvas, dot, kRed, 5, {{100, 200}});
    ExpectPixels(canvas, {{"a click's dot", 100, 200, kRed}, {"off the dot", 106, 200, kWhite}});
  }
  {
    TextCanvas canvas;
    KHighlighter marker;
    Paint(canvas, marker, kMarker, 20, {{50, 100}, {350, 100}, {60, 100}});
    ExpectPixels(canvas, {{"white beneath", 200, 100, kMarker},
                          {"where it ran back", 80, 100, kMarker},
                          {"grey beneath", 120, 100, RGB(128, 100, 50)},
                          {"grey near the edge", 120, 92, RGB(128, 100, 50)},
                          {"past the stroke", 200, 115, kWhite}});
  }
  {
    TextCanvas canvas;
    KHighlighter straight;
    straight.straight = true;
    Paint(canvas, straight, kMarker, 12, {{50, 200}, {150, 215}, {300, 185}});
    ASSERT_EQ(straight.points.size(), 2u);
    EXPECT_EQ(straight.points[1].x, 300);
    EXPECT_EQ(straight.points[1].y, 200) << "straight across from the first point";
    ExpectPixels(canvas, {{"along the line", 250, 200, kMarker},
                          {"where the mouse went", 300, 185, kWhite}});
  }
  {
    TextCanvas canvas;
    KRedact box;
    Paint(canvas, box, RGB(0, 0, 0), 3, {{150, 110}, {120, 60}, {90, 40}});
    int covered = 0;
    for (int y = 40; y < 110; ++y) {
      for (int x = 90; x < 150; ++x)
        covered += canvas.Pixel(x, y) == RGB(0, 0, 0);
    }
    EXPECT_EQ(covered, 60 * 70) << "every pixel of the box, the grey ones too";
    ExpectPixels(canvas, {{"right of it", 150, 100, kWhite}, {"below it", 120, 110, kWhite}});
    KRedact line;
    Drag(line, {{10, 10}, {10, 80}});
    EXPECT_FALSE(line.IsValid()) << "a box without area";
  }
}

// A step is a filled circle of its size around its point with its number in the colour that
// reads on it; another number paints other pixels.
TEST(MarkingToolsTest, StepsShowTheirNumberInTheColourThatReads) {
  EXPECT_FALSE(KStep::TakesBlackNumber(kRed));
  EXPECT_FALSE(KStep::TakesBlackNumber(RGB(0, 0, 128)));
  EXPECT_TRUE(KStep::TakesBlackNumber(RGB(255, 255, 0)));
  EXPECT_TRUE(KStep::TakesBlackNumber(kWhite));
  EXPECT_EQ(KStep::DiameterForWidth(1), 22);
  EXPECT_EQ(KStep::DiameterForWidth(5), 38);

  const auto painted = [](int number, COLORREF color) {
    MemoryCanvas canvas(100, 100, kGrey);
    KStep step;
    step.number = number;
    Paint(canvas, step, color, 3, {{50, 50}});
    return canvas.Pixels();
  };
  const std::vector<COLORREF> one = painted(1, kRed);
  MemoryCanvas canvas(100, 100, kGrey);
  KStep step;
  step.number = 1;
  Paint(canvas, step, kRed, 3, {{50, 50}});
  ExpectPixels(canvas, {{"the circle's left", 38, 50, kRed},
                        {"outside it", 50, 67, kGrey},
                        {"outside it", 34, 50, kGrey}});
  int white = 0;
  for (int y = 40; y < 60; ++y) {
    for (int x = 44; x < 56; ++x)
      white += canvas.Pixel(x, y) == kWhite;
  }
  EXPECT_GT(white, 10) << "a white 1 on red";
  EXPECT_NE(painted(2, kRed), one);
  const std::vector<COLORREF> on_yellow = painted(1, RGB(255, 255, 0));
  EXPECT_NE(std::count(on_yellow.begin(), on_yellow.end(), RGB(0, 0, 0)), 0) << "a black 1";
  EXPECT_EQ(std::count(on_yellow.begin(), on_yellow.end(), kWhite), 0);
}

}  // namespace
