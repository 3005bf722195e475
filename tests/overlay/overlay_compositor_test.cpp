// The compositor apart from any window: a frozen picture of a known pattern, the back buffer
// and a stand-in for the window's DC, all memory bitmaps.
#include "overlay/overlay_compositor.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "base/memory_bitmap.h"
#include "drawing/k_mosac.h"
#include "drawing/k_rectangle.h"
#include "tests/support/pixel_painter.h"
#include "tests/support/screen_grab.h"

namespace {

using testing_support::ScreenGrab;

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr RECT kScreen = {0, 0, kWidth, kHeight};
constexpr COLORREF kUntouched = RGB(1, 2, 3);

COLORREF Pattern(int x, int y) {
  return RGB((x * 7 + y) & 0xFF, (y * 5 + x * 3) & 0xFF, (x * 11 + y * 13 + 40) & 0xFF);
}

// `selection` with handles of the size the capture window gives them, in the order the
// corners lie over the sides.
OverlayScene SceneOf(const RECT& selection, Decoration decoration, bool labelled) {
  OverlayScene scene;
  scene.selection = selection;
  scene.decoration = decoration;
  scene.labelled = labelled;
  scene.label_monitor = kScreen;
  const RECT& s = selection;
  const LONG c = (s.left + s.right) / 2;
  const LONG m = (s.top + s.bottom) / 2;
  const POINT corners[] = {{s.left, m},        {c, s.top},         {s.right, m},
                           {c, s.bottom},      {s.left, s.top},    {s.right, s.top},
                           {s.left, s.bottom}, {s.right, s.bottom}};
  for (int i = 0; i < OverlayScene::kHandleCount; ++i)
    scene.handles[i] = {corners[i].x - 2, corners[i].y - 2, corners[i].x + 6, corners[i].y + 6};
  return scene;
}

std::unique_ptr<Drawing> Shape(std::unique_ptr<Drawing> shape,
                               std::initializer_list<POINT> points) {
  shape->width = 3;
  shape->color = RGB(200, 30, 30);
  shape->mosaicSize = 12;
  for (const POINT& point : points)
    shape->AddPoint(point);
  return shape;
}

testing::AssertionResult Same(const ScreenGrab& a, const ScreenGrab& b) {
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y))
        return testing::AssertionFailure() << "first differs at " << x << ", " << y;
    }
  }
  return testing::AssertionSuccess();
}

class OverlayCompositorTest : public testing::Test {
 protected:
  void SetUp() override {
    for (base::MemoryBitmap* bitmap : {&picture_, &frame_, &window_})
      ASSERT_TRUE(MakeScreenSized(*bitmap));
    testing_support::PaintPattern(picture_.dc(), 0, 0, kWidth, kHeight, &Pattern);
    compositor_.Attach(picture_, frame_, {kWidth, kHeight});
  }

  static bool MakeScreenSized(base::MemoryBitmap& bitmap) {
    return bitmap.MakeTopDown32(kWidth, kHeight);
  }

  ScreenGrab Whole(const OverlayScene& scene) {
    base::MemoryBitmap whole;
    EXPECT_TRUE(MakeScreenSized(whole));
    EXPECT_TRUE(compositor_.ComposeWhole(whole.dc(), scene));
    return ScreenGrab(whole.dc(), 0, 0, kWidth, kHeight);
  }

  ScreenGrab Window() const { return ScreenGrab(window_.dc(), 0, 0, kWidth, kHeight); }

  void MarkWindow() {
    base::ScopedBrush marker(CreateSolidBrush(kUntouched));
    FillRect(window_.dc(), &kScreen, marker.get());
  }

  base::MemoryBitmap picture_;
  base::MemoryBitmap frame_;
  base::MemoryBitmap window_;
  OverlayCompositor compositor_;
};

TEST_F(OverlayCompositorTest, EveryFrameOnTheWindowIsTheWholeComposition) {
  auto rectangle = Shape(std::make_unique<KRectangle>(), {{80, 90}, {150, 130}});
  auto mosaic = Shape(std::make_unique<KMosac>(), {{70, 100}, {120, 110}, {190, 160}});
  auto drawn = Shape(std::make_unique<KRectangle>(), {{100, 70}, {170, 140}});
  auto stroke = Shape(std::make_unique<KMosac>(), {{65, 150}});
  const RECT selection = {60, 60, 200, 170};
  // The kept shapes with `current` being drawn over them.
  const auto drawing = [&](Drawing* current) {
    OverlayScene scene = SceneOf(selection, Decoration::kSettledHandles, false);
    scene.kept_shapes = {rectangle.get(), mosaic.get()};
    scene.current_shape = current;
    return scene;
  };
  // Each step changes the scene from the step before.
  const struct {
    const char* name;
    std::function<OverlayScene()> scene;
  } steps[] = {
      {"highlight",
       [] {
         return SceneOf({40, 30, 150, 120}, Decoration::kHighlight, false);
       }},
      {"dragged out",
       [] {
         return SceneOf({50, 40, 210, 180}, Decoration::kDraggingHandles, true);
       }},
      {"settled", [&] { return SceneOf(selection, Decoration::kSettledHandles, true); }},
      {"label inside at the top edge",
       [] {
         return SceneOf({10, 0, 120, 90}, Decoration::kSettledHandles, true);
       }},
      {"out of the toolbar's way",
       [&] {
         OverlayScene scene = SceneOf(selection, Decoration::kSettledHandles, true);
         scene.toolbar = RECT{40, 20, 210, 55};
         return scene;
       }},
      {"a kept rectangle",
       [&] {
         compositor_.ShapesChanged(selection);
         OverlayScene scene = SceneOf(selection, Decoration::kSettledHandles, false);
         scene.kept_shapes = {rectangle.get()};
         return scene;
       }},
      {"a mosaic drawn over it",
       [&] {
         OverlayScene scene = SceneOf(selection, Decoration::kSettledHandles, false);
         scene.kept_shapes = {rectangle.get()};
         scene.current_shape = mosaic.get();
         return scene;
       }},
      {"the mosaic kept, a rectangle drawn",
       [&] {
         compositor_.ShapesChanged(selection);
         OverlayScene scene = SceneOf(selection, Decoration::kSettledHandles, false);
         scene.kept_shapes = {rectangle.get(), mosaic.get()};
         scene.current_shape = drawn.get();
         return scene;
       }},
      {"the rectangle drawn back",
       [&] {
         drawn->AddPoint({120, 100});
         return drawing(drawn.get());
       }},
      // A stroke goes onto the kept picture piece by piece, over the kept mosaic, and out
      // across the selection's corner.
      {"a stroke of one point", [&] { return drawing(stroke.get()); }},
      {"the stroke's first piece",
       [&] {
         stroke->AddPoint({110, 120});
         return drawing(stroke.get());
       }},
      {"two pieces more at once",
       [&] {
         stroke->AddPoint({160, 95});
         stroke->AddPoint({199, 169});
         return drawing(stroke.get());
       }},
      {"the stroke dropped", [&] { return drawing(nullptr); }},
  };
  for (const auto& step : steps) {
    const OverlayScene scene = step.scene();
    compositor_.Paint(window_.dc(), scene);
    EXPECT_TRUE(Same(Window(), Whole(scene))) << step.name;
  }
}

// After the first frame, only what may have changed goes to the window.
TEST_F(OverlayCompositorTest, OnlyTheChangedAreasGoToTheWindow) {
  compositor_.Paint(window_.dc(), SceneOf({40, 40, 140, 120}, Decoration::kSettledHandles, false));
  const struct {
    const char* name;
    RECT selection;
    // The next point of a mosaic stroke being drawn, if any.
    std::optional<POINT> stroke_to;
    std::optional<POINT> changed;
    POINT unchanged;
  } cases[] = {
      {"moved right", {50, 40, 150, 120}, std::nullopt, {{145, 80}}, {300, 220}},
      {"grown down", {50, 40, 150, 200}, std::nullopt, {{100, 190}}, {300, 20}},
      {"the same again", {50, 40, 150, 200}, std::nullopt, std::nullopt, {100, 100}},
      // A stroke's new piece goes to the window, the earlier ones do not.
      {"a stroke begun", {50, 40, 150, 200}, {{75, 150}}, {{70, 150}}, {100, 100}},
      {"the stroke grown", {50, 40, 150, 200}, {{130, 150}}, {{125, 150}}, {60, 150}},
  };
  auto stroke = Shape(std::make_unique<KMosac>(), {{60, 150}});
  for (const auto& c : cases) {
    MarkWindow();
    OverlayScene scene = SceneOf(c.selection, Decoration::kSettledHandles, false);
    if (c.stroke_to) {
      stroke->AddPoint(*c.stroke_to);
      scene.current_shape = stroke.get();
    }
    compositor_.Paint(window_.dc(), scene);
    const ScreenGrab window = Window();
    const ScreenGrab frame(frame_.dc(), 0, 0, kWidth, kHeight);
    EXPECT_EQ(window.Pixel(c.unchanged.x, c.unchanged.y), kUntouched) << c.name;
    if (c.changed) {
      EXPECT_EQ(window.Pixel(c.changed->x, c.changed->y), frame.Pixel(c.changed->x, c.changed->y))
          << c.name;
    }
  }
}

}  // namespace
