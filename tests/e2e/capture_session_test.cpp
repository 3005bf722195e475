// Whole capture sessions of pictor.exe, driven with the real mouse: the frozen picture,
// selecting a window or an area, and copying it to the clipboard.
#include <gtest/gtest.h>

#include "tests/support/clipboard_picture.h"
#include "tests/support/dimming.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/screen_grab.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using testing_support::ClipboardPicture;
using testing_support::ClipboardShows;
using testing_support::IsDimmed;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::ScreenGrab;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr COLORREF kFrameColor = 0x00318BFF;

// Parks the mouse where no window is, so that nothing is highlighted at the start.
class CaptureSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Xdo::MoveMouse(1900, 1060));
    testing_support::ClearClipboard();
  }
};

// Every `step`-th pixel of the screen shows `before` dimmed, outside `skip`.
bool ShowsDimmed(const ScreenGrab& before, const RECT& skip, int step) {
  ScreenGrab now;
  for (int y = 2; y < now.height(); y += step) {
    for (int x = 2; x < now.width(); x += step) {
      const POINT point = {x, y};
      if (PtInRect(&skip, point))
        continue;
      if (!IsDimmed(now.Pixel(x, y), before.Pixel(x, y)))
        return false;
    }
  }
  return true;
}

TEST_F(CaptureSessionTest, FrozenPictureIsTheScreenAtTheStart) {
  PatternWindow pattern(300, 200, 400, 300);
  ASSERT_TRUE(pattern.WaitUntilShown());
  const ScreenGrab before;

  PictorSession session;
  ASSERT_TRUE(session.WaitForCaptureWindow());
  // All of it but the magnifier, which may show by the parked mouse.
  EXPECT_TRUE(WaitUntil([&] {
    RECT magnifier = {};
    GetWindowRect(FindWindowW(nullptr, L"桌面截图鼠标跟随随窗口"), &magnifier);
    return ShowsDimmed(before, magnifier, 23);
  })) << "the capture window shows the whole screen dimmed";

  // The window moves away after the start. The frame keeps to the picture: nothing is framed
  // at the window's new place, where the picture shows none, and the mouse at its old place
  // frames it there, around the picture of it.
  SetWindowPos(pattern.hwnd(), nullptr, 900, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  testing_support::PumpMessages();
  ASSERT_TRUE(Xdo::MoveMouse(1100, 650));
  ASSERT_TRUE(Xdo::MoveMouse(500, 350));
  ASSERT_TRUE(WaitUntil([&] { return ScreenGrab().Pixel(299, 350) == kFrameColor; }))
      << "the window is framed where the picture shows it";
  const ScreenGrab during;
  EXPECT_NE(during.Pixel(899, 600), kFrameColor) << "not where it went";
  // The magnifier follows the mouse over the framed window.
  RECT magnifier = {};
  GetWindowRect(FindWindowW(nullptr, L"桌面截图鼠标跟随随窗口"), &magnifier);
  EXPECT_EQ(magnifier.left, 500 + 20);
  for (int y = 210; y < 490; y += 29) {
    for (int x = 310; x < 690; x += 31) {
      if (!PtInRect(&magnifier, {x, y})) {
        ASSERT_EQ(during.Pixel(x, y), before.Pixel(x, y)) << "inside the frame at " << x;
      }
    }
  }
  for (int y = 510; y < 790; y += 29) {
    for (int x = 910; x < 1290; x += 31) {
      ASSERT_TRUE(IsDimmed(during.Pixel(x, y), before.Pixel(x, y))) << "new place at " << x;
    }
  }
  ASSERT_TRUE(session.PressKeys("Escape"));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);
}

// The first copy meets a clipboard that this process holds open: the session stays, and
// copies once the clipboard is free.
TEST_F(CaptureSessionTest, DoubleClickOnAWindowCopiesExactlyThatWindow) {
  PatternWindow pattern(300, 200, 400, 300);
  ASSERT_TRUE(pattern.WaitUntilShown());
  const ScreenGrab before;

  PictorSession session({L"floatwin"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ASSERT_TRUE(Xdo::MoveMouse(500, 350));
  ASSERT_TRUE(WaitUntil([&] { return ScreenGrab().Pixel(299, 350) == kFrameColor; }));
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(Xdo::DoubleClick(500, 350));
  EXPECT_FALSE(session.WaitForExit(2000)) << "a copy that could not be made ended the session";
  CloseClipboard();
  EXPECT_EQ(ClipboardPicture::Read().width, 0);
  ASSERT_TRUE(Xdo::DoubleClick(500, 350));
  ASSERT_TRUE(session.WaitForExit()) << "the copy ends the session";
  EXPECT_EQ(session.exit_code(), 0);
  EXPECT_TRUE(ClipboardShows(before, pattern.rect()));
}

TEST_F(CaptureSessionTest, DraggedAreaIsCopiedAndFeedbackSessionsEndWithOne) {
  PatternWindow pattern(300, 200, 400, 300);
  ASSERT_TRUE(pattern.WaitUntilShown());
  const ScreenGrab before;

  PictorSession session({L"feedback"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  // From the bottom-right to the top-left, across the window's edge.
  ASSERT_TRUE(Xdo::Drag(620, 450, 250, 260));
  ASSERT_TRUE(WaitUntil([&] { return ScreenGrab().Pixel(250, 350) == kFrameColor; }))
      << "the selection is framed";
  ASSERT_TRUE(Xdo::DoubleClick(400, 300));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 1);
  EXPECT_TRUE(ClipboardShows(before, {250, 260, 620, 450}));
}

TEST_F(CaptureSessionTest, RightClickCancelsWithoutCopying) {
  PictorSession session;
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ASSERT_TRUE(Xdo::Drag(100, 100, 400, 300));
  ASSERT_TRUE(Xdo::Click(200, 200, 3));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);
  EXPECT_EQ(ClipboardPicture::Read().width, 0);
}

}  // namespace
