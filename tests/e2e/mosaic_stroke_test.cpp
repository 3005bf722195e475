// A mosaic drawn with a fast move, as pictor.exe gets one from the real mouse: the system
// reports a few of the positions the mouse passed, here only the press and one point
// several hundred pixels away. The copy read from the clipboard shows the whole way
// between them pixelated.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/toolbar_driver.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using e2e::kSmall;
using e2e::ScreenPixel;
using e2e::ToolbarDriver;
using testing_support::ClipboardPicture;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr RECT kWindow = {300, 200, 1000, 700};
constexpr COLORREF kHighlightColor = RGB(255, 139, 49);
constexpr int kBlock = 10;

// What the screen shows at (x, y) inside the pattern window.
COLORREF PatternOnScreen(int x, int y) {
  return PatternWindow::PatternAt(x - kWindow.left, y - kWindow.top);
}

// The average of the pattern's block on the screen's 10-pixel grid that holds (x, y).
COLORREF PatternBlockAverage(int x, int y) {
  int red = 0;
  int green = 0;
  int blue = 0;
  for (int by = y / kBlock * kBlock; by < y / kBlock * kBlock + kBlock; ++by) {
    for (int bx = x / kBlock * kBlock; bx < x / kBlock * kBlock + kBlock; ++bx) {
      const COLORREF pixel = PatternOnScreen(bx, by);
      red += GetRValue(pixel);
      green += GetGValue(pixel);
      blue += GetBValue(pixel);
    }
  }
  constexpr int kCount = kBlock * kBlock;
  return RGB(red / kCount, green / kCount, blue / kCount);
}

class MosaicStrokeTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Xdo::MoveMouse(1900, 1060));
    testing_support::ClearClipboard();
    ASSERT_TRUE(pattern_.WaitUntilShown());
  }

  PatternWindow pattern_{kWindow.left, kWindow.top, kWindow.right - kWindow.left,
                         kWindow.bottom - kWindow.top};
};

TEST_F(MosaicStrokeTest, OneJumpLeavesNothingOnItsWayAsItWas) {
  // The smallest brush, a radius of 5: the way runs diagonally across the window.
  const POINT from = {340, 240};
  const POINT to = {960, 660};
  const auto way_at = [&](int x) {
    return POINT{x, from.y + (to.y - from.y) * (x - from.x) / (to.x - from.x)};
  };
  PictorSession session({L"floatwin"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ASSERT_TRUE(Xdo::MoveMouse(650, 450));
  ASSERT_TRUE(WaitUntil([] { return ScreenPixel(kWindow.left - 1, 450) == kHighlightColor; }))
      << "the window under the mouse is framed";
  ASSERT_TRUE(Xdo::Click(650, 450));
  ToolbarDriver toolbar;
  ASSERT_TRUE(toolbar.WaitUntilShown());
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kMosaic));
  ASSERT_TRUE(toolbar.ChooseSize(kSmall));

  ASSERT_TRUE(Xdo::Run("mousemove " + Xdo::RootPoint(from.x, from.y) + " mousedown 1"));
  ASSERT_TRUE(Xdo::MoveMouse(to.x, to.y));
  const POINT middle = way_at((from.x + to.x) / 2);
  EXPECT_TRUE(WaitUntil([&] {
    return ScreenPixel(middle.x, middle.y) == PatternBlockAverage(middle.x, middle.y);
  })) << "the frame shows the middle of the way pixelated while the button is down";
  ASSERT_TRUE(Xdo::Run("mouseup 1"));
  ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kDone));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);

  const ClipboardPicture picture = ClipboardPicture::Read();
  ASSERT_EQ(picture.width, kWindow.right - kWindow.left);
  ASSERT_EQ(picture.height, kWindow.bottom - kWindow.top);
  int left_as_it_was = 0;
  for (int x = from.x; x <= to.x; ++x) {
    // The line and pixels either side of it, all well within the radius.
    for (int across = -3; across <= 3; ++across) {
      const POINT at = {way_at(x).x, way_at(x).y + across};
      const COLORREF copied = picture.Pixel(at.x - kWindow.left, at.y - kWindow.top);
      left_as_it_was += copied == PatternOnScreen(at.x, at.y);
      ASSERT_EQ(copied, PatternBlockAverage(at.x, at.y)) << "at " << at.x << ", " << at.y;
    }
  }
  EXPECT_EQ(left_as_it_was, 0);
}

}  // namespace
