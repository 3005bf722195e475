// The pen, the highlighter, the numbered steps and the redaction box on the real toolbar of
// pictor.exe: each tool chosen once by its button and once by its key, the copy made with
// Enter, and the clipboard read back by pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "drawing/k_step.h"
#include "tests/drawing/memory_canvas.h"
#include "tests/e2e/toolbar_driver.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using e2e::ScreenPixel;
using e2e::Stroke;
using e2e::ToolbarDriver;
using testing_support::ClipboardPicture;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr RECT kWindow = {300, 200, 1000, 700};
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// Where the steps go, on the screen; the third is undone and placed again at the fourth.
constexpr POINT kSteps[] = {{400, 450}, {460, 450}, {520, 450}, {580, 450}};
constexpr int kStepReach = 24;

// What the pattern window shows at (x, y) of the picture, which starts at its top-left.
COLORREF Pattern(int x, int y) {
  return PatternWindow::PatternAt(x, y);
}

// The pattern under a yellow marker: each channel times yellow's.
COLORREF Highlighted(COLORREF color) {
  return RGB(GetRValue(color), GetGValue(color), 0);
}

// Whether the copy shows step `number` at screen point `at`: the circle around it as the step
// shape paints it over the pattern, and inside it the ink of the same number, pixel for pixel
// but for a few at the glyph's smoothed edges (the program draws on its picture, the test on
// a canvas of its own).
testing::AssertionResult ShowsStep(const ClipboardPicture& copy, int number, POINT at) {
  drawing_testing::MemoryCanvas reference(2 * kStepReach, 2 * kStepReach, 0);
  const POINT origin = {at.x - kWindow.left - kStepReach, at.y - kWindow.top - kStepReach};
  for (int y = 0; y < 2 * kStepReach; ++y) {
    for (int x = 0; x < 2 * kStepReach; ++x)
      reference.SetPixelColor(x, y, Pattern(origin.x + x, origin.y + y));
  }
  KStep step;
  step.color = kRed;
  step.width = 3;
  step.number = number;
  step.clipRect = {0, 0, 2 * kStepReach, 2 * kStepReach};
  drawing_testing::Drag(step, {{kStepReach, kStepReach}});
  drawing_testing::DrawAlone(step, reference.dc());
  // White ink on the red circle has green in it; the fill has none.
  const auto ink = [](COLORREF color) { return GetGValue(color) > 100; };
  int ink_pixels = 0;
  int different = 0;
  for (int y = 0; y < 2 * kStepReach; ++y) {
    for (int x = 0; x < 2 * kStepReach; ++x) {
      const COLORREF shown = copy.Pixel(origin.x + x, origin.y + y);
      const COLORREF expected = reference.Pixel(x, y);
      const bool inside = std::abs(x - kStepReach) <= 10 && std::abs(y - kStepReach) <= 10;
      if (!inside && shown != expected)
        return testing::AssertionFailure() << "step " << number << "'s circle differs at (" << x
                                           << ", " << y << ") of its square";
      if (inside) {
        ink_pixels += ink(expected);
        different += ink(shown) != ink(expected);
      }
    }
  }
  if (ink_pixels < 20 || different > 4)
    return testing::AssertionFailure() << "step " << number << ": " << different << " of "
                                       << ink_pixels << " pixels of its number's ink differ";
  return testing::AssertionSuccess();
}

TEST(MarkingToolsRoadTest, EachToolByButtonAndByKeyThenEnterCopies) {
  ASSERT_TRUE(Xdo::MoveMouse(1900, 1060));
  testing_support::ClearClipboard();
  PatternWindow pattern(kWindow.left, kWindow.top, kWindow.right - kWindow.left,
                        kWindow.bottom - kWindow.top);
  ASSERT_TRUE(pattern.WaitUntilShown());
  PictorSession session({L"floatwin"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ASSERT_TRUE(Xdo::MoveMouse(650, 450));
  ASSERT_TRUE(WaitUntil([] { return ScreenPixel(kWindow.left - 1, 450) == RGB(255, 139, 49); }));
  ASSERT_TRUE(Xdo::Click(650, 450));
  ToolbarDriver toolbar;
  ASSERT_TRUE(toolbar.WaitUntilShown());
  EXPECT_EQ(toolbar.rect().right - toolbar.rect().left, toolbar.scale().Scale(Toolbar::kWidth))
      << "nine tools and three commands";

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kPen));
  ASSERT_TRUE(Stroke(350, 260, 550, 300));
  ASSERT_TRUE(session.PressKeys("h"));
  ASSERT_TRUE(Stroke(320, 350, 700, 350));

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kStep));
  for (const POINT& step : {kSteps[0], kSteps[1], kSteps[2]})
    ASSERT_TRUE(Xdo::Click(step.x, step.y));
  ASSERT_TRUE(session.PressKeys("ctrl+z"));
  ASSERT_TRUE(session.PressKeys("b"));
  ASSERT_TRUE(Stroke(800, 300, 950, 420));
  ASSERT_TRUE(session.PressKeys("n"));
  ASSERT_TRUE(Xdo::Click(kSteps[3].x, kSteps[3].y));

  ASSERT_TRUE(session.PressKeys("p"));
  ASSERT_TRUE(Stroke(600, 600, 700, 650));
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kHighlighter));
  ASSERT_TRUE(Stroke(320, 620, 500, 620));
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kRedact));
  ASSERT_TRUE(Stroke(800, 500, 900, 560));

  ASSERT_TRUE(session.PressKeys("Return"));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);
  const ClipboardPicture copy = ClipboardPicture::Read();
  ASSERT_EQ(copy.width, kWindow.right - kWindow.left);
  ASSERT_EQ(copy.height, kWindow.bottom - kWindow.top);
  const auto at = [&](int x, int y) { return copy.Pixel(x - kWindow.left, y - kWindow.top); };
  const auto pattern_at = [](int x, int y) { return Pattern(x - kWindow.left, y - kWindow.top); };

  EXPECT_EQ(at(450, 280), kRed) << "the pen's stroke by its button";
  EXPECT_EQ(at(650, 625), kRed) << "the pen's stroke by its key";
  for (const int y : {350, 620}) {
    for (int x = 340; x < 480; ++x) {
      ASSERT_EQ(at(x, y), Highlighted(pattern_at(x, y))) << "the marker at " << x << ", " << y;
      ASSERT_NE(at(x, y), at(x + 1, y)) << "the text beneath stays readable";
    }
  }
  for (const RECT& box : {RECT{800, 300, 950, 420}, RECT{800, 500, 900, 560}}) {
    int black = 0;
    for (int y = box.top; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x)
        black += at(x, y) == kBlack;
    }
    EXPECT_EQ(black, (box.right - box.left) * (box.bottom - box.top)) << "a redaction box";
  }
  EXPECT_TRUE(ShowsStep(copy, 1, kSteps[0]));
  EXPECT_TRUE(ShowsStep(copy, 2, kSteps[1]));
  EXPECT_TRUE(ShowsStep(copy, 3, kSteps[3])) << "the number the undone step gave back";
  EXPECT_EQ(at(kSteps[2].x, kSteps[2].y), pattern_at(kSteps[2].x, kSteps[2].y))
      << "the undone step is gone";
}

}  // namespace
