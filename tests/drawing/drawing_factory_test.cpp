#include "drawing/drawing_factory.h"

#include <gtest/gtest.h>

#include <optional>

#include "drawing/k_arrow.h"
#include "drawing/k_ellipse.h"
#include "drawing/k_mosac.h"
#include "drawing/k_rectangle.h"
#include "drawing/k_text.h"
#include "tests/support/assert_recorder.h"

namespace {

using testing_support::ScopedAssertRecorder;

template <typename Shape>
bool Is(const Drawing* shape) {
  return dynamic_cast<const Shape*>(shape) != nullptr;
}

TEST(DrawingFactoryTest, ToolNamesMakeTheirShapes) {
  const struct {
    const char* name;
    bool (*is_expected_class)(const Drawing*);
    // The derived classes are also KRectangles, so the exact class is told apart by what
    // it is not.
    bool (*is_other_class)(const Drawing*);
  } cases[] = {
      {"rectangle", &Is<KRectangle>,
       [](const Drawing* d) { return Is<KEllipse>(d) || Is<KArrow>(d); }},
      {"arrow", &Is<KArrow>, &Is<KEllipse>},
      {"ellipse", &Is<KEllipse>, &Is<KArrow>},
      {"text", &Is<KText>, &Is<KRectangle>},
      {"mosac", &Is<KMosac>, &Is<KRectangle>},
  };
  for (const auto& entry : cases) {
    const std::unique_ptr<Drawing> shape = CreateDrawing(entry.name);
    ASSERT_NE(shape, nullptr) << entry.name;
    EXPECT_TRUE(entry.is_expected_class(shape.get())) << entry.name;
    EXPECT_FALSE(entry.is_other_class(shape.get())) << entry.name;
  }
}

TEST(DrawingFactoryTest, NewShapesStartWithTheDefaultFields) {
  for (const char* name : {"rectangle", "arrow", "ellipse", "text", "mosac"}) {
    const std::unique_ptr<Drawing> shape = CreateDrawing(name);
    ASSERT_NE(shape, nullptr) << name;
    EXPECT_EQ(shape->width, 0) << name;
    EXPECT_EQ(shape->mosaicSize, 12) << name;
    EXPECT_TRUE(IsRectEmpty(&shape->clipRect)) << name;
    EXPECT_TRUE(shape->points.empty()) << name;
  }
  const std::unique_ptr<Drawing> shape = CreateDrawing("text");
  const auto* text = static_cast<const KText*>(shape.get());
  EXPECT_EQ(text->font.get(), nullptr);
  EXPECT_TRUE(text->text.empty());
  EXPECT_TRUE(text->editing);
}

TEST(DrawingFactoryTest, OtherNamesFailTheCheckAndMakeNoShape) {
  for (const char* name : {"mosaic", "Rectangle", "", "rectangle ", "ARROW", "pen", "texts"}) {
    ScopedAssertRecorder recorder;
    EXPECT_EQ(CreateDrawing(name), nullptr) << '"' << name << '"';
    ASSERT_EQ(recorder.failures().size(), 1u) << '"' << name << '"';
    EXPECT_EQ(recorder.failures()[0].module, "drawing_factory");
    EXPECT_EQ(recorder.failures()[0].condition, "shape_type != NULL");
  }
}

TEST(DrawingFactoryTest, AddPointKeepsEveryPointInOrder) {
  const std::vector<POINT> drag = {{5, 5}, {5, 5}, {-3, 2000}, {1, 1}, {5, 5}};
  for (const char* name : {"rectangle", "arrow", "ellipse", "text", "mosac"}) {
    const std::unique_ptr<Drawing> shape = CreateDrawing(name);
    for (const POINT& point : drag)
      shape->AddPoint(point);
    ASSERT_EQ(shape->points.size(), drag.size()) << name;
    for (size_t i = 0; i < drag.size(); ++i) {
      EXPECT_EQ(shape->points[i].x, drag[i].x) << name << " point " << i;
      EXPECT_EQ(shape->points[i].y, drag[i].y) << name << " point " << i;
    }
  }
}

// What the painter of a frame asks each kind: whether it reads the pixels beneath it, and
// where a drag from (100, 50) to (140, 90) with a width of 4 paints. The outlines reach
// 3 widths and 24 pixels past their points; a text and a mosaic do not say.
TEST(DrawingFactoryTest, EachKindTellsHowItPaints) {
  constexpr RECT kOutlineBounds = {100 - 36, 50 - 36, 141 + 36, 91 + 36};
  const struct {
    const char* name;
    bool reads_pixels_beneath;
    std::optional<RECT> bounds;
  } cases[] = {
      {"rectangle", false, kOutlineBounds}, {"arrow", false, kOutlineBounds},
      {"ellipse", false, kOutlineBounds},   {"text", false, std::nullopt},
      {"mosac", true, std::nullopt},
  };
  for (const auto& entry : cases) {
    const std::unique_ptr<Drawing> shape = CreateDrawing(entry.name);
    shape->width = 4;
    EXPECT_FALSE(shape->PaintBounds()) << entry.name << " without points";
    shape->AddPoint({100, 50});
    shape->AddPoint({140, 90});
    EXPECT_EQ(shape->ReadsPixelsBeneath(), entry.reads_pixels_beneath) << entry.name;
    const std::optional<RECT> bounds = shape->PaintBounds();
    ASSERT_EQ(bounds.has_value(), entry.bounds.has_value()) << entry.name;
    if (bounds) {
      EXPECT_TRUE(EqualRect(&*bounds, &*entry.bounds)) << entry.name;
    }
  }
}

}  // namespace
