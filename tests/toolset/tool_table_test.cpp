#include "toolset/tool_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "base/scoped_gdi_object.h"
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

const Tool kAllTools[] = {Tool::kRectangle, Tool::kEllipse, Tool::kArrow, Tool::kText,
                          Tool::kMosaic};

TEST(ToolTableTest, EachToolHasItsOwnRowFacesAndPickerKind) {
  std::set<int> faces;
  std::set<int32_t> kinds;
  for (int i = 0; i < kToolCount; ++i) {
    const ToolRow& row = kToolRows[i];
    EXPECT_EQ(static_cast<int>(row.tool), i) << "rows in toolbar order";
    EXPECT_EQ(&RowOf(row.tool), &row);
    EXPECT_TRUE(faces.insert(row.face).second) << i;
    EXPECT_TRUE(faces.insert(row.hover_face).second) << i;
    EXPECT_TRUE(kinds.insert(row.picker.kind).second) << "a picker kind of its own: " << i;
    EXPECT_NE(row.tooltip[0], L'\0') << i;
  }
}

TEST(ToolTableTest, ToolsMakeTheirShapes) {
  const struct {
    Tool tool;
    bool (*is_expected_class)(const Drawing*);
    // The derived classes are also KRectangles, so the exact class is told apart by what
    // it is not.
    bool (*is_other_class)(const Drawing*);
  } cases[] = {
      {Tool::kRectangle, &Is<KRectangle>,
       [](const Drawing* d) { return Is<KEllipse>(d) || Is<KArrow>(d); }},
      {Tool::kArrow, &Is<KArrow>, &Is<KEllipse>},
      {Tool::kEllipse, &Is<KEllipse>, &Is<KArrow>},
      {Tool::kText, &Is<KText>, &Is<KRectangle>},
      {Tool::kMosaic, &Is<KMosac>, &Is<KRectangle>},
  };
  for (const auto& entry : cases) {
    const int tool = static_cast<int>(entry.tool);
    const std::unique_ptr<Drawing> shape = CreateDrawing(entry.tool);
    ASSERT_NE(shape, nullptr) << tool;
    EXPECT_TRUE(entry.is_expected_class(shape.get())) << tool;
    EXPECT_FALSE(entry.is_other_class(shape.get())) << tool;
  }
}

TEST(ToolTableTest, NewShapesStartWithTheDefaultFields) {
  for (const Tool tool : kAllTools) {
    const std::unique_ptr<Drawing> shape = CreateDrawing(tool);
    ASSERT_NE(shape, nullptr) << static_cast<int>(tool);
    EXPECT_EQ(shape->width, 0);
    EXPECT_EQ(shape->mosaicSize, 12);
    EXPECT_TRUE(IsRectEmpty(&shape->clipRect));
    EXPECT_TRUE(shape->points.empty());
  }
  const std::unique_ptr<Drawing> shape = CreateDrawing(Tool::kText);
  const auto* text = static_cast<const KText*>(shape.get());
  EXPECT_EQ(text->font.get(), nullptr);
  EXPECT_TRUE(text->text.empty());
  EXPECT_TRUE(text->editing);
}

TEST(ToolTableTest, AToolOutsideTheTableFailsTheCheckAndGetsTheFirstRow) {
  for (const int outside : {-1, kToolCount, 1000}) {
    ScopedAssertRecorder recorder;
    EXPECT_EQ(&RowOf(static_cast<Tool>(outside)), &kToolRows[0]) << outside;
    ASSERT_EQ(recorder.failures().size(), 1u) << outside;
    EXPECT_EQ(recorder.failures()[0].module, "tool_table");
  }
}

TEST(ToolTableTest, AddPointKeepsEveryPointInOrder) {
  const std::vector<POINT> drag = {{5, 5}, {5, 5}, {-3, 2000}, {1, 1}, {5, 5}};
  for (const Tool tool : kAllTools) {
    const std::unique_ptr<Drawing> shape = CreateDrawing(tool);
    for (const POINT& point : drag)
      shape->AddPoint(point);
    ASSERT_EQ(shape->points.size(), drag.size());
    for (size_t i = 0; i < drag.size(); ++i) {
      EXPECT_EQ(shape->points[i].x, drag[i].x) << static_cast<int>(tool) << " point " << i;
      EXPECT_EQ(shape->points[i].y, drag[i].y) << static_cast<int>(tool) << " point " << i;
    }
  }
}

// What the painter of a frame asks each kind: whether it reads the pixels beneath it, and
// where a drag from (100, 50) to (140, 90) with a width of 4 paints. The outlines reach
// 3 widths and 24 pixels past their points; a text and a mosaic do not say. And what the
// closing text box asks: only a text takes what was typed.
TEST(ToolTableTest, EachToolsShapeTellsHowItPaints) {
  constexpr RECT kOutlineBounds = {100 - 36, 50 - 36, 141 + 36, 91 + 36};
  const struct {
    Tool tool;
    bool reads_pixels_beneath;
    std::optional<RECT> bounds;
    bool takes_text;
  } cases[] = {
      {Tool::kRectangle, false, kOutlineBounds, false},
      {Tool::kArrow, false, kOutlineBounds, false},
      {Tool::kEllipse, false, kOutlineBounds, false},
      {Tool::kText, false, std::nullopt, true},
      {Tool::kMosaic, true, std::nullopt, false},
  };
  const base::ScopedFont font(
      CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  for (const auto& entry : cases) {
    const char* name = RowOf(entry.tool).name;
    const std::unique_ptr<Drawing> shape = CreateDrawing(entry.tool);
    shape->width = 4;
    EXPECT_FALSE(shape->PaintBounds()) << name << " without points";
    shape->AddPoint({100, 50});
    shape->AddPoint({140, 90});
    EXPECT_EQ(shape->ReadsPixelsBeneath(), entry.reads_pixels_beneath) << name;
    const std::optional<RECT> bounds = shape->PaintBounds();
    ASSERT_EQ(bounds.has_value(), entry.bounds.has_value()) << name;
    if (bounds) {
      EXPECT_TRUE(EqualRect(&*bounds, &*entry.bounds)) << name;
    }
    EXPECT_EQ(shape->FinishTyping(L"typed", font.get()), entry.takes_text) << name;
  }
  KText text;
  ASSERT_TRUE(text.FinishTyping(L"typed", font.get()));
  EXPECT_EQ(text.text, L"typed");
  EXPECT_FALSE(text.editing);
  EXPECT_NE(text.font.get(), nullptr);
  EXPECT_NE(text.font.get(), font.get()) << "a copy of its own";
}

}  // namespace
