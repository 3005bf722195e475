// Every GDI object a Draw makes must be gone when it returns. GetGuiResources cannot tell
// under Wine, so each shape is drawn more often than the process can still make GDI
// objects: the test first takes all but a few thousand of the handles the process can
// hold (about 65,000 here), so that a single object left behind per Draw would use up the
// rest, after which nothing could be drawn or made.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "drawing/k_arrow.h"
#include "drawing/k_ellipse.h"
#include "drawing/k_mosac.h"
#include "drawing/k_rectangle.h"
#include "drawing/k_text.h"
#include "drawing/paint_shapes.h"
#include "tests/drawing/memory_canvas.h"

namespace {

using drawing_testing::Drag;
using drawing_testing::MemoryCanvas;

// The handles left free while a shape is drawn, and the draws: several times more.
constexpr size_t kSpareHandles = 2000;
constexpr int kDraws = 10000;
// Far more handles than any platform gives a process, so that taking them ends.
constexpr size_t kHandleLimitBound = 1 << 24;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr RECT kSelection = {0, 0, 40, 40};

// Holds all but kSpareHandles of the GDI handles the process can have while it lives.
class HandleHoard {
 public:
  HandleHoard() {
    for (;;) {
      base::ScopedRegion region(CreateRectRgn(0, 0, 1, 1));
      if (!region || held_.size() == kHandleLimitBound)
        break;
      held_.push_back(std::move(region));
    }
    reached_the_limit_ = held_.size() < kHandleLimitBound;
    held_.resize(held_.size() - std::min(held_.size(), kSpareHandles));
  }

  HandleHoard(const HandleHoard&) = delete;
  HandleHoard& operator=(const HandleHoard&) = delete;

  bool reached_the_limit() const { return reached_the_limit_; }

 private:
  std::vector<base::ScopedRegion> held_;
  bool reached_the_limit_ = false;
};

// How many of `count` pens can be made at once.
size_t PensThatCanBeMade(size_t count) {
  std::vector<base::ScopedPen> pens;
  for (size_t i = 0; i < count; ++i) {
    base::ScopedPen pen(CreatePen(PS_SOLID, 1, kRed));
    if (!pen)
      break;
    pens.push_back(std::move(pen));
  }
  return pens.size();
}

// Draws `shape` kDraws times with only kSpareHandles handles to spare, then once more on a
// fresh canvas, which must come out as a draw before them did; and half the spare handles
// must still be free. `before_each` runs before every draw; `paint_background` prepares the
// canvases.
void ExpectNoLeak(Drawing& shape,
                  const std::function<void()>& before_each = {},
                  const std::function<void(MemoryCanvas&)>& paint_background = {}) {
  MemoryCanvas reference(40, 40, kWhite);
  MemoryCanvas canvas(40, 40, kWhite);
  MemoryCanvas last(40, 40, kWhite);
  for (MemoryCanvas* each : {&reference, &canvas, &last}) {
    if (paint_background)
      paint_background(*each);
  }
  const std::vector<COLORREF> untouched = reference.Pixels();
  if (before_each)
    before_each();
  ASSERT_TRUE(PaintShapes(reference.dc(), kSelection, {&shape}));
  ASSERT_NE(reference.Pixels(), untouched) << "the shape paints nothing";

  const HandleHoard hoard;
  ASSERT_TRUE(hoard.reached_the_limit());
  for (int i = 0; i < kDraws; ++i) {
    if (before_each)
      before_each();
    ASSERT_TRUE(PaintShapes(canvas.dc(), kSelection, {&shape}));
  }
  ASSERT_TRUE(PaintShapes(last.dc(), kSelection, {&shape}));
  EXPECT_EQ(last.Pixels(), reference.Pixels()) << "the last draw did not paint as the first";
  EXPECT_EQ(PensThatCanBeMade(kSpareHandles / 2), kSpareHandles / 2);
}

template <typename Shape>
void Prepare(Shape& shape, int width, const std::vector<POINT>& drag) {
  shape.width = width;
  shape.color = kRed;
  Drag(shape, drag);
}

TEST(DrawLeakTest, RectangleReleasesWhatItMakes) {
  KRectangle rectangle;
  Prepare(rectangle, 3, {{5, 5}, {30, 30}});
  ExpectNoLeak(rectangle);
}

TEST(DrawLeakTest, FlatRectangleReleasesWhatItMakes) {
  KRectangle line;
  Prepare(line, 3, {{5, 10}, {30, 10}});
  ExpectNoLeak(line);
}

TEST(DrawLeakTest, EllipseReleasesWhatItMakes) {
  KEllipse ellipse;
  Prepare(ellipse, 3, {{5, 5}, {35, 35}});
  ExpectNoLeak(ellipse);
}

TEST(DrawLeakTest, ArrowReleasesWhatItMakes) {
  KArrow arrow;
  Prepare(arrow, 3, {{5, 20}, {35, 20}});
  ExpectNoLeak(arrow);
}

TEST(DrawLeakTest, TextReleasesWhatItMakesAndEachFontItReplaces) {
  LOGFONTW description = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
  description.lfHeight = -12;
  const base::ScopedFont font(CreateFontIndirectW(&description));
  KText text;
  text.color = kRed;
  text.text = L"WW";
  text.points = {{4, 4}, {36, 36}};
  // Still editing: the frame and the text are both drawn, and every round replaces the
  // font once more.
  ExpectNoLeak(text, [&] { text.SetFont(font.get()); });
}

TEST(DrawLeakTest, MosaicReleasesWhatItMakes) {
  KMosac mosaic;
  mosaic.mosaicSize = 5;
  Drag(mosaic, {{20, 20}});
  // A mosaic of one colour is that colour: red and white columns give the blocks something
  // to average.
  const auto stripes = [](MemoryCanvas& canvas) {
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); x += 2)
        canvas.SetPixelColor(x, y, kRed);
    }
  };
  ExpectNoLeak(mosaic, {}, stripes);
}

}  // namespace
