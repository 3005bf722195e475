// A session on whatever screen the test runs on: scripts/test runs these on its own display
// and again at 7680 x 4320, at 640 x 480, and at 144 and 192 DPI. The capture window covers
// the screen, the pop-ups keep their size and their place beside the selection inside the
// screen, a copy holds exactly the pixels under the selection, and a save's balloon shows
// whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/gdiplus.h"
#include "tests/e2e/toolbar_driver.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/save_dialog_driver.h"
#include "tests/support/screen_grab.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using e2e::ToolbarDriver;
using testing_support::ClipboardShows;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::ScreenGrab;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr SIZE kToolbarSize = {Toolbar::kWidth, Toolbar::kHeight};
constexpr SIZE kBalloonSize = {298, 138};

bool IsBalloonSized(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.right - rect.left == kBalloonSize.cx && rect.bottom - rect.top == kBalloonSize.cy;
}

class ScreenSizeTest : public testing::Test {
 protected:
  void SetUp() override {
    // Coordinates in the screen's own pixels, whatever its DPI, as the program uses them.
    SetProcessDPIAware();
    screen_ = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_TRUE(Xdo::MoveMouse(screen_.right - 1, screen_.bottom - 1));
    testing_support::ClearClipboard();
  }

  // The screen the runner asked for, when one did.
  void ExpectTheAskedScreen() const {
    char asked[32] = {};
    if (GetEnvironmentVariableA("PICTOR_SCREEN", asked, sizeof(asked)) == 0)
      return;
    HDC screen = GetDC(nullptr);
    const std::string got = std::to_string(screen_.right) + "x" + std::to_string(screen_.bottom) +
                            ":" + std::to_string(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(got, asked) << "the screen and DPI this runs on";
  }

  testing::AssertionResult OnScreen(const RECT& rect, const char* what) const {
    RECT inside = {};
    if (IntersectRect(&inside, &rect, &screen_) && EqualRect(&inside, &rect))
      return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << what << " (" << rect.left << ", " << rect.top << ")-(" << rect.right << ", "
           << rect.bottom << ") leaves the screen";
  }

  // Drags out `area` from its bottom-right corner and waits for the toolbar.
  void Select(const RECT& area, ToolbarDriver& toolbar) {
    ASSERT_TRUE(e2e::Stroke(area.right, area.bottom, area.left, area.top));
    ASSERT_TRUE(toolbar.WaitUntilShown());
    const RECT bar = toolbar.rect();
    EXPECT_EQ(bar.right - bar.left, kToolbarSize.cx);
    EXPECT_EQ(bar.bottom - bar.top, kToolbarSize.cy);
    EXPECT_TRUE(OnScreen(bar, "the toolbar"));
    EXPECT_EQ(bar.right, std::max<LONG>(area.right, kToolbarSize.cx)) << "beside the selection";
  }

  RECT screen_ = {};
};

TEST_F(ScreenSizeTest, PopUpsFitAndTheCopyIsExact) {
  ExpectTheAskedScreen();
  const int w = screen_.right;
  const int h = screen_.bottom;
  // In the bottom-right corner, where the toolbar and the picker must turn inwards.
  PatternWindow pattern(w - std::min(w / 2, 400), h - std::min(h / 2, 300), std::min(w / 2, 400),
                        std::min(h / 2, 300));
  ASSERT_TRUE(pattern.WaitUntilShown());
  const ScreenGrab before;
  const RECT area = {w - std::min(w / 3, 300), h - std::min(h / 3, 200), w - 8, h - 8};

  PictorSession session({L"floatwin"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  RECT capture = {};
  GetWindowRect(session.capture_window(), &capture);
  EXPECT_TRUE(EqualRect(&capture, &screen_)) << "the capture window covers the screen";
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(Select(area, toolbar));
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kRectangle));
  EXPECT_TRUE(OnScreen(toolbar.picker_rect(), "the picker"));
  ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kDone));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);
  EXPECT_TRUE(ClipboardShows(before, area));
}

TEST_F(ScreenSizeTest, SavedPictureIsExactAndTheBalloonShowsWhole) {
  const ScreenGrab before;
  const RECT area = {10, 10, std::min<LONG>(screen_.right / 2, 300),
                     std::min<LONG>(screen_.bottom / 2, 200)};
  testing_support::ScopedTempFolder folder;
  const std::wstring path = folder.path() + L"screen.png";

  PictorSession session({L"floatwin"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(Select(area, toolbar));
  {
    testing_support::SaveDialogDriver driver(testing_support::SaveDialogDriver::Answer::kTypePath,
                                             std::string(path.begin(), path.end()));
    ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kSave));
    driver.Finish();
  }
  HWND balloon = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    return (balloon = session.process().FindVisibleWindow(&IsBalloonSized));
  })) << "no balloon of its full size";
  RECT rect = {};
  GetWindowRect(balloon, &rect);
  EXPECT_TRUE(OnScreen(rect, "the balloon"));
  ASSERT_TRUE(session.WaitForExit()) << "the balloon ends the process when it has faded";
  EXPECT_EQ(session.exit_code(), 0);

  Gdiplus::Bitmap saved(path.c_str());
  ASSERT_EQ(saved.GetLastStatus(), Gdiplus::Ok);
  ASSERT_EQ(static_cast<LONG>(saved.GetWidth()), area.right - area.left);
  ASSERT_EQ(static_cast<LONG>(saved.GetHeight()), area.bottom - area.top);
  for (LONG y = 0; y < area.bottom - area.top; y += 3) {
    for (LONG x = 0; x < area.right - area.left; x += 3) {
      Gdiplus::Color color;
      saved.GetPixel(x, y, &color);
      ASSERT_EQ(RGB(color.GetR(), color.GetG(), color.GetB()),
                before.Pixel(area.left + x, area.top + y))
          << "at (" << x << ", " << y << ")";
    }
  }
}

}  // namespace
