#include "drawing/k_rectangle.h"

#include <gtest/gtest.h>

#include "drawing/k_arrow.h"
#include "drawing/k_ellipse.h"
#include "tests/drawing/memory_canvas.h"

namespace {

using drawing_testing::Drag;
using drawing_testing::DrawAlone;
using drawing_testing::MemoryCanvas;

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(230, 20, 40);

std::vector<COLORREF> Painted(KRectangle& shape, int width, const std::vector<POINT>& drag) {
  MemoryCanvas canvas(400, 300, kBackground);
  shape.width = width;
  shape.color = kRed;
  Drag(shape, drag);
  DrawAlone(shape, canvas.dc());
  return canvas.Pixels();
}

TEST(RectangleTest, DraggedEitherWayCoversTheSamePixels) {
  for (int width : {1, 5}) {
    KRectangle down_right;
    KRectangle up_left;
    const std::vector<COLORREF> forward = Painted(down_right, width, {{100, 50}, {300, 200}});
    const std::vector<COLORREF> backward = Painted(up_left, width, {{300, 200}, {100, 50}});
    EXPECT_EQ(forward, backward) << "width " << width;
    EXPECT_NE(std::count(forward.begin(), forward.end(), kRed), 0) << "width " << width;
  }
}

TEST(RectangleTest, OutlineIsCentredOnTheEdgeAndTheInsideStaysUnfilled) {
  // Width 5 around the left edge x = 100 and the top edge y = 50; the right and bottom
  // edges lie on the last pixel inside (299, 199), as GDI draws rectangles.
  const struct {
    int width;
    int x;
    int y;
    COLORREF expected;
  } cases[] = {
      {1, 100, 120, kRed},        {1, 99, 120, kBackground},  {1, 101, 120, kBackground},
      {1, 299, 120, kRed},        {1, 300, 120, kBackground}, {1, 200, 50, kRed},
      {1, 200, 199, kRed},        {1, 200, 200, kBackground}, {1, 200, 120, kBackground},
      {5, 97, 120, kBackground},  {5, 98, 120, kRed},         {5, 102, 120, kRed},
      {5, 103, 120, kBackground}, {5, 200, 47, kBackground},  {5, 200, 48, kRed},
      {5, 200, 52, kRed},         {5, 200, 53, kBackground},  {5, 200, 120, kBackground},
  };
  for (const auto& entry : cases) {
    MemoryCanvas canvas(400, 300, kBackground);
    KRectangle shape;
    shape.width = entry.width;
    shape.color = kRed;
    Drag(shape, {{100, 50}, {300, 200}});
    DrawAlone(shape, canvas.dc());
    EXPECT_EQ(canvas.Pixel(entry.x, entry.y), entry.expected)
        << "width " << entry.width << " at (" << entry.x << ", " << entry.y << ")";
  }
}

TEST(RectangleTest, FlatDragIsKeptAndDrawnAsALine) {
  const struct {
    POINT from;
    POINT to;
  } drags[] = {{{100, 50}, {300, 50}}, {{300, 50}, {100, 50}}};
  for (const auto& drag : drags) {
    MemoryCanvas canvas(400, 100, kBackground);
    KRectangle shape;
    shape.width = 1;
    shape.color = kRed;
    Drag(shape, {drag.from, drag.to});
    EXPECT_TRUE(shape.IsValid());
    DrawAlone(shape, canvas.dc());
    for (int x = 100; x < 300; ++x)
      ASSERT_EQ(canvas.Pixel(x, 50), kRed) << "from x " << drag.from.x << ", at x " << x;
    EXPECT_EQ(canvas.Pixel(99, 50), kBackground);
    EXPECT_EQ(canvas.Pixel(300, 50), kBackground);
    EXPECT_EQ(canvas.Pixel(200, 49), kBackground);
    EXPECT_EQ(canvas.Pixel(200, 51), kBackground);
  }

  // Width 5: five rows thick; and a vertical drag likewise.
  MemoryCanvas canvas(400, 300, kBackground);
  KRectangle horizontal;
  KRectangle vertical;
  for (KRectangle* shape : {&horizontal, &vertical}) {
    shape->width = 5;
    shape->color = kRed;
  }
  Drag(horizontal, {{100, 50}, {300, 50}});
  Drag(vertical, {{350, 250}, {350, 100}});
  ASSERT_TRUE(vertical.IsValid());
  DrawAlone(horizontal, canvas.dc());
  DrawAlone(vertical, canvas.dc());
  for (int offset = -2; offset <= 2; ++offset) {
    EXPECT_EQ(canvas.Pixel(200, 50 + offset), kRed) << "row offset " << offset;
    EXPECT_EQ(canvas.Pixel(350 + offset, 175), kRed) << "column offset " << offset;
  }
  EXPECT_EQ(canvas.Pixel(200, 47), kBackground);
  EXPECT_EQ(canvas.Pixel(200, 53), kBackground);
  EXPECT_EQ(canvas.Pixel(347, 175), kBackground);
  EXPECT_EQ(canvas.Pixel(353, 175), kBackground);
}

TEST(RectangleTest, ClickWithoutMovementIsDiscardedAndShowsNothing) {
  const std::vector<std::vector<POINT>> clicks = {
      {{40, 40}}, {{40, 40}, {40, 40}}, {{40, 40}, {60, 70}, {40, 40}}};
  for (const auto& click : clicks) {
    for (int width : {1, 5}) {
      KRectangle rectangle;
      KEllipse ellipse;
      for (KRectangle* shape : std::vector<KRectangle*>{&rectangle, &ellipse}) {
        MemoryCanvas canvas(100, 100, kBackground);
        const std::vector<COLORREF> untouched = canvas.Pixels();
        shape->width = width;
        shape->color = kRed;
        Drag(*shape, click);
        EXPECT_FALSE(shape->IsValid()) << click.size() << " points, width " << width;
        DrawAlone(*shape, canvas.dc());
        EXPECT_EQ(canvas.Pixels(), untouched) << click.size() << " points, width " << width;
      }
    }
  }
}

TEST(RectangleTest, ShapesWithoutTwoPointsAreNotKept) {
  KRectangle rectangle;
  KEllipse ellipse;
  KArrow arrow;
  MemoryCanvas canvas(50, 50, kBackground);
  const std::vector<COLORREF> untouched = canvas.Pixels();
  for (KRectangle* shape : std::vector<KRectangle*>{&rectangle, &ellipse, &arrow}) {
    shape->width = 3;
    EXPECT_FALSE(shape->IsValid());
    shape->EndDraw();
    EXPECT_TRUE(shape->points.empty());
    DrawAlone(*shape, canvas.dc());
  }
  EXPECT_EQ(canvas.Pixels(), untouched);

  // One point becomes two copies of it.
  KRectangle click;
  Drag(click, {{7, 9}});
  ASSERT_EQ(click.points.size(), 2u);
  EXPECT_EQ(click.points[1].x, 7);
  EXPECT_EQ(click.points[1].y, 9);
}

TEST(RectangleTest, EndDrawKeepsOnlyTheFirstAndTheLastOf57Points) {
  KRectangle rectangle;
  KEllipse ellipse;
  KArrow arrow;
  for (KRectangle* shape : std::vector<KRectangle*>{&rectangle, &ellipse, &arrow}) {
    for (int i = 0; i < 57; ++i)
      shape->AddPoint({10 + i, 200 - 3 * i});
    ASSERT_EQ(shape->points.size(), 57u);
    shape->EndDraw();
    ASSERT_EQ(shape->points.size(), 2u);
    EXPECT_EQ(shape->points[0].x, 10);
    EXPECT_EQ(shape->points[0].y, 200);
    EXPECT_EQ(shape->points[1].x, 66);
    EXPECT_EQ(shape->points[1].y, 32);
  }
}

TEST(RectangleTest, DrawDuringTheDragUsesTheFirstAndTheLatestPoint) {
  // The box (20, 30)-(120, 160): its left edge, at the middle of its height, is painted by
  // the rectangle and the ellipse alike; (150, 95), which only the second point's box
  // would reach, is not.
  KRectangle rectangle;
  KEllipse ellipse;
  for (KRectangle* shape : std::vector<KRectangle*>{&rectangle, &ellipse}) {
    MemoryCanvas during(200, 200, kBackground);
    MemoryCanvas after(200, 200, kBackground);
    shape->width = 3;
    shape->color = kRed;
    for (const POINT point : {POINT{20, 30}, POINT{150, 10}, POINT{5, 190}, POINT{120, 160}})
      shape->AddPoint(point);
    DrawAlone(*shape, during.dc());
    shape->EndDraw();
    DrawAlone(*shape, after.dc());
    EXPECT_EQ(during.Pixels(), after.Pixels());
    EXPECT_EQ(during.Pixel(20, 95), kRed);
    EXPECT_EQ(during.Pixel(150, 95), kBackground);
  }
}

}  // namespace
