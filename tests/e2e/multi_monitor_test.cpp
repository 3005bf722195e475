// pictor.exe on a desktop of several monitors (the monitors.* runs of scripts/lib/other-layout):
// a window on the second monitor framed and copied, a drag across the boundary between the
// monitors copied pixel for pixel, and the pop-ups of a selection at the second monitor's
// edges kept wholly on it: the magnifier, the toolbar, the balloon after a save. On a desktop
// of one monitor there is nothing to cross, and the tests skip.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "base/desktop_geometry.h"
#include "base/gdiplus.h"
#include "tests/e2e/toolbar_driver.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/desktop_grab.h"
#include "tests/support/monitor_layout.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/save_dialog_driver.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using e2e::ToolbarDriver;
using testing_support::ClipboardPicture;
using testing_support::DesktopGrab;
using testing_support::MonitorLayout;
using testing_support::MonitorText;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::SaveDialogDriver;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr COLORREF kHighlight = RGB(255, 139, 49);
constexpr wchar_t kMagnifierTitle[] = L"桌面截图鼠标跟随随窗口";
// How far inside a monitor the points of a drag lie.
constexpr LONG kInset = 150;

RECT Inset(const RECT& rect, LONG by) {
  return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

POINT Middle(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT ClampInto(POINT point, const RECT& rect) {
  return {std::clamp(point.x, rect.left, rect.right - 1),
          std::clamp(point.y, rect.top, rect.bottom - 1)};
}

testing::AssertionResult IsOn(const RECT& monitor, const RECT& window, const char* what) {
  if (base::DesktopGeometry::Holds(monitor, window))
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << what << " " << MonitorText(window) << " is not within " << MonitorText(monitor);
}

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

// The window of the running session whose title is `title`, once it shows.
RECT WaitForWindowRect(const wchar_t* title, const RECT& within) {
  RECT rect = {};
  (void)WaitUntil([&] {
    HWND window = FindWindowW(nullptr, title);
    return window && IsWindowVisible(window) && GetWindowRect(window, &rect) &&
           base::DesktopGeometry::Holds(within, rect);
  });
  return rect;
}

class MultiMonitorTest : public testing::Test {
 protected:
  void SetUp() override {
    SetProcessDPIAware();
    const std::optional<std::string> requested = MonitorLayout::Requested();
    if (requested)
      layout_ = MonitorLayout::Parse(*requested);
    if (!layout_ || layout_->monitors().size() < 2)
      GTEST_SKIP() << "a desktop of one monitor";
    primary_ = layout_->primary();
    second_ = layout_->monitors()[1];
    ASSERT_TRUE(Xdo::MoveMouse(primary_.right - 20, primary_.bottom - 20));
    testing_support::ClearClipboard();
  }

  // Two points, one well inside each monitor, as near to each other as that allows, and
  // apart on both axes.
  void DragEnds(POINT* on_primary, POINT* on_second) const {
    *on_primary = ClampInto(Middle(second_), Inset(primary_, kInset));
    *on_second = ClampInto(Middle(primary_), Inset(second_, kInset));
    if (std::abs(on_primary->x - on_second->x) < 100)
      on_second->x += on_second->x > Middle(second_).x ? -100 : 100;
    if (std::abs(on_primary->y - on_second->y) < 100)
      on_second->y += on_second->y > Middle(second_).y ? -100 : 100;
  }

  std::optional<MonitorLayout> layout_;
  RECT primary_ = {};
  RECT second_ = {};
};

// A window on the second monitor: the mouse frames it, a click selects it, a double click
// copies exactly its pixels. Then a drag from the primary monitor onto the second copies
// exactly what both show there, black where neither does.
TEST_F(MultiMonitorTest, AWindowAndADragAcrossTheBoundaryCopyExactly) {
  const RECT window = {second_.left + 100, second_.top + 100, second_.left + 340,
                       second_.top + 260};
  PatternWindow pattern(window.left, window.top, window.right - window.left,
                        window.bottom - window.top);
  ASSERT_TRUE(pattern.WaitUntilShown());
  {
    PictorSession session;
    ToolbarDriver toolbar;
    ASSERT_TRUE(session.WaitForCaptureWindow());
    const POINT middle = Middle(window);
    ASSERT_TRUE(Xdo::MoveMouse(middle.x, middle.y));
    EXPECT_TRUE(e2e::ShowsOnScreen(window.left - 1, middle.y, kHighlight)) << "framed";
    ASSERT_TRUE(Xdo::Click(middle.x, middle.y));
    ASSERT_TRUE(toolbar.WaitUntilShown());
    EXPECT_TRUE(IsOn(second_, toolbar.rect(), "the toolbar"));
    ASSERT_TRUE(Xdo::DoubleClick(middle.x, middle.y));
    ASSERT_TRUE(session.WaitForExit()) << "the double click copies";
    EXPECT_EQ(session.exit_code(), 0);
    const ClipboardPicture picture = ClipboardPicture::Read();
    ASSERT_EQ(picture.width, window.right - window.left);
    ASSERT_EQ(picture.height, window.bottom - window.top);
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x)
        ASSERT_EQ(picture.Pixel(x, y), PatternWindow::PatternAt(x, y)) << x << ", " << y;
    }
  }

  POINT from = {};
  POINT to = {};
  DragEnds(&from, &to);
  const RECT area = {std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                     std::max(from.y, to.y)};
  const DesktopGrab before(area);
  testing_support::ClearClipboard();
  PictorSession session;
  ToolbarDriver toolbar;
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ASSERT_TRUE(Xdo::Drag(from.x, from.y, to.x, to.y));
  ASSERT_TRUE(toolbar.WaitUntilShown());
  const POINT inside = Middle(area);
  ASSERT_TRUE(layout_->Shows(inside));
  ASSERT_TRUE(Xdo::DoubleClick(inside.x, inside.y));
  ASSERT_TRUE(session.WaitForExit()) << "the double click copies";
  const ClipboardPicture picture = ClipboardPicture::Read();
  ASSERT_EQ(picture.width, area.right - area.left);
  ASSERT_EQ(picture.height, area.bottom - area.top);
  for (LONG y = area.top; y < area.bottom; ++y) {
    for (LONG x = area.left; x < area.right; ++x) {
      const COLORREF expected = layout_->Shows({x, y}) ? before.Pixel(x, y) : RGB(0, 0, 0);
      ASSERT_EQ(picture.Pixel(x - area.left, y - area.top), expected) << x << ", " << y;
    }
  }
}

// At the second monitor's outer corner the magnifier flips onto it; a selection down to its
// bottom edge gets its toolbar above, on it; saved, the file holds exactly the selection and
// the balloon shows on the second monitor.
TEST_F(MultiMonitorTest, PopUpsOfASelectionOnTheSecondMonitorStayOnIt) {
  const RECT window = {second_.left + 100, second_.bottom - 260, second_.left + 500,
                       second_.bottom};
  PatternWindow pattern(window.left, window.top, window.right - window.left,
                        window.bottom - window.top);
  ASSERT_TRUE(pattern.WaitUntilShown());
  testing_support::ScopedTempFolder folder;
  const std::wstring path = folder.path() + L"second.png";

  PictorSession session;
  ToolbarDriver toolbar;
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ASSERT_TRUE(Xdo::MoveMouse(second_.right - 5, second_.bottom - 5));
  EXPECT_TRUE(IsOn(second_, WaitForWindowRect(kMagnifierTitle, second_), "the magnifier"));

  ASSERT_TRUE(Xdo::Drag(window.left, window.top, window.right - 1, window.bottom - 1));
  ASSERT_TRUE(toolbar.WaitUntilShown());
  const RECT bar = toolbar.rect();
  EXPECT_TRUE(IsOn(second_, bar, "the toolbar"));
  EXPECT_LE(bar.bottom, window.top) << "above the selection";

  {
    SaveDialogDriver driver(SaveDialogDriver::Answer::kTypePath, Narrow(path));
    ASSERT_TRUE(session.PressKeys("ctrl+s"));
    driver.Finish();
    ASSERT_TRUE(driver.dialog_seen());
  }
  RECT balloon = {};
  const bool balloon_seen = WaitUntil([&] {
    HWND shown = session.process().FindVisibleWindow(&testing_support::IsBalloon);
    return shown && GetWindowRect(shown, &balloon);
  });
  EXPECT_TRUE(balloon_seen);
  if (balloon_seen) {
    const POINT middle = Middle(balloon);
    const RECT around_middle = {middle.x - 1, middle.y - 1, middle.x + 1, middle.y + 1};
    EXPECT_TRUE(IsOn(second_, around_middle, "the balloon's middle"));
  }
  ASSERT_TRUE(session.WaitForExit(30000)) << "the balloon ends the session";

  Gdiplus::Bitmap saved(path.c_str());
  ASSERT_EQ(saved.GetLastStatus(), Gdiplus::Ok);
  ASSERT_EQ(static_cast<LONG>(saved.GetWidth()), window.right - 1 - window.left);
  ASSERT_EQ(static_cast<LONG>(saved.GetHeight()), window.bottom - 1 - window.top);
  for (const POINT at : {POINT{0, 0}, POINT{17, 93}, POINT{398, 258}, POINT{200, 130}}) {
    Gdiplus::Color pixel;
    saved.GetPixel(at.x, at.y, &pixel);
    EXPECT_EQ(RGB(pixel.GetR(), pixel.GetG(), pixel.GetB()), PatternWindow::PatternAt(at.x, at.y))
        << at.x << ", " << at.y;
  }
}

}  // namespace
