#include "drawing/k_ellipse.h"

#include <gtest/gtest.h>

#include "tests/drawing/memory_canvas.h"

namespace {

using drawing_testing::Drag;
using drawing_testing::DrawAlone;
using drawing_testing::MemoryCanvas;

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(10, 40, 220);

// The ellipse inscribed in (100, 50)-(300, 200): centre (200, 125), radii 100 and 75.
std::vector<COLORREF> Painted(const std::vector<POINT>& drag, int width) {
  MemoryCanvas canvas(400, 300, kBackground);
  KEllipse ellipse;
  ellipse.width = width;
  ellipse.color = kBlue;
  Drag(ellipse, drag);
  EXPECT_TRUE(ellipse.IsValid());
  DrawAlone(ellipse, canvas.dc());
  return canvas.Pixels();
}

TEST(EllipseTest, DraggedEitherWayCoversTheSamePixels) {
  const std::vector<COLORREF> reference = Painted({{100, 50}, {300, 200}}, 5);
  const std::vector<std::vector<POINT>> others = {
      {{300, 200}, {100, 50}}, {{300, 50}, {100, 200}}, {{100, 200}, {300, 50}}};
  for (const auto& drag : others)
    EXPECT_EQ(Painted(drag, 5), reference) << "from (" << drag[0].x << ", " << drag[0].y << ")";
}

TEST(EllipseTest, OutlineOfWidthFiveIsCentredOnTheEllipseAndHollow) {
  MemoryCanvas canvas(400, 300, kBackground);
  KEllipse ellipse;
  ellipse.width = 5;
  ellipse.color = kBlue;
  Drag(ellipse, {{100, 50}, {300, 200}});
  DrawAlone(ellipse, canvas.dc());
  // Where the outline crosses the axes, the 5-pixel band covers the two pixels on either
  // side of the ellipse fully; the pixels three away are not touched.
  const struct {
    int x;
    int y;
    COLORREF expected;
  } cases[] = {
      {99, 125, kBlue},        {101, 125, kBlue},       {96, 125, kBackground},
      {104, 125, kBackground}, {299, 125, kBlue},       {301, 125, kBlue},
      {296, 125, kBackground}, {304, 125, kBackground}, {200, 49, kBlue},
      {200, 51, kBlue},        {200, 46, kBackground},  {200, 54, kBackground},
      {200, 199, kBlue},       {200, 201, kBlue},       {200, 196, kBackground},
      {200, 204, kBackground}, {200, 125, kBackground}, {150, 100, kBackground},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(canvas.Pixel(entry.x, entry.y), entry.expected)
        << "at (" << entry.x << ", " << entry.y << ")";
  }
}

}  // namespace
