// The magnifier of a capture window of this process over the known pattern: where it goes,
// what it shows (in its buffer and on the screen), and when it hides.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "base/desktop_geometry.h"
#include "base/memory_bitmap.h"
#include "capture/wnd_cap_dlg.h"
#include "dui/widget.h"
#include "tests/capture/capture_harness.h"
#include "tests/dui/test_widget.h"
#include "tests/support/pixel_painter.h"
#include "tests/support/wait.h"

namespace {

using capture_test::CaptureHarness;
using dui_testing::TestWidget;
using testing_support::WaitUntil;

// The magnifier's widget in `harness`'s session.
dui::Widget* Magnifier(CaptureHarness& harness) {
  return harness.window().magnifier()->GetWidget();
}

// The magnifier's window rectangle, once the repaint that moves it has run.
RECT MagnifierRect(CaptureHarness& harness) {
  testing_support::PumpMessages();
  RECT rect = {};
  GetWindowRect(Magnifier(harness)->GetHwnd(), &rect);
  return rect;
}

// The mouse at (x, y) as the capture window hears of it; the real pointer goes there too, so
// that the moves the system makes up (when a window moves under the pointer) agree.
void MoveMouse(CaptureHarness& harness, int x, int y) {
  SetCursorPos(std::min(x, 1919), y);
  harness.Move(x, y);
}

// The magnifier's painted pixel at (x, y) as a GDI colour, once its paint has run; 0 for a
// pixel that is not opaque.
COLORREF MagnifierPixel(CaptureHarness& harness, int x, int y) {
  testing_support::PumpMessages();
  const uint32_t argb = dui_testing::WidgetBufferPixel(Magnifier(harness), x, y);
  if (argb >> 24 != 0xFF)
    return 0;
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// The cursor's place, where the window goes (20 pixels off, or flipped to the other side at
// the right and bottom of a 1920 x 1080 screen), and the first pixel of the magnified area.
// Inside the frame, source pixel (2, 2) of the area fills the block (6, 6)-(8, 8).
TEST(MagnifierTest, FollowsTheCursorAndMagnifiesTheAreaAroundIt) {
  CaptureHarness harness;
  ASSERT_NE(harness.window().magnifier(), nullptr) << "made with the session";
  const struct {
    POINT cursor;
    POINT window;
    POINT first_source_pixel;
  } cases[] = {
      {{5, 5}, {25, 25}, {0, 0}},
      {{1820, 500}, {1681, 520}, {1800, 485}},
      {{600, 1000}, {620, 847}, {580, 985}},
  };
  for (const auto& c : cases) {
    MoveMouse(harness, c.cursor.x, c.cursor.y);
    const RECT window = MagnifierRect(harness);
    EXPECT_EQ(window.left, c.window.x) << c.cursor.x;
    EXPECT_EQ(window.top, c.window.y) << c.cursor.x;
    EXPECT_TRUE(IsWindowVisible(Magnifier(harness)->GetHwnd()));
    const POINT source = c.first_source_pixel;
    for (POINT at : {POINT{6, 6}, POINT{8, 8}}) {
      EXPECT_EQ(MagnifierPixel(harness, at.x, at.y),
                CaptureHarness::PatternAt(source.x + 2, source.y + 2))
          << "opaque, three times as large";
    }
    EXPECT_EQ(MagnifierPixel(harness, 9, 9), CaptureHarness::PatternAt(source.x + 3, source.y + 3));
  }
  // On the screen as in the buffer: the layered window shows the opaque picture.
  MoveMouse(harness, 5, 5);
  EXPECT_TRUE(WaitUntil([] {
    return TestWidget::ScreenPixel(25 + 7, 25 + 7) == CaptureHarness::PatternAt(2, 2);
  })) << "the zoomed pixels on the screen";
}

TEST(MagnifierTest, PanelShowsTheSizeAndTheColourUnderTheCursor) {
  EXPECT_EQ(WndCapDlg::InfoLines(0, 0, RGB(10, 0, 255)),
            (std::array<std::wstring, 3>{L"0 X 0", L"RGB(10,0,255)", L"#0a00ff"}));
  EXPECT_EQ(WndCapDlg::InfoLines(1000, 20, RGB(255, 171, 0))[2], L"#ffab00");
  CaptureHarness harness;
  // The swatch at (102, 89 + 29), 12 pixels square, even for a cursor past the screen's
  // edge, as in a drag: the pixel at the edge.
  for (POINT cursor : {POINT{700, 300}, POINT{2500, 300}}) {
    MoveMouse(harness, cursor.x, cursor.y);
    const int x = std::min<int>(cursor.x, 1919);
    EXPECT_EQ(MagnifierPixel(harness, 108, 89 + 35), CaptureHarness::PatternAt(x, cursor.y))
        << cursor.x;
  }
}

TEST(MagnifierTest, HiddenOnceASelectionIsSettledAndClosedWithTheSession) {
  CaptureHarness harness;
  HWND magnifier = Magnifier(harness)->GetHwnd();
  harness.Down(100, 100);
  harness.Move(300, 300);
  EXPECT_TRUE(IsWindowVisible(magnifier)) << "while the selection is dragged";
  harness.Up(300, 300);
  EXPECT_FALSE(IsWindowVisible(magnifier)) << "once it is settled";
  harness.Key(VK_ESCAPE);
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(magnifier); })) << "closed with the session";
}

// On a desktop of two monitors, a smaller one left of the primary one and lower, the window
// flips at the edges of the cursor's monitor, in screen coordinates, whatever the desktop's
// origin.
TEST(MagnifierTest, FlipsAtTheEdgesOfTheCursorsMonitor) {
  const base::DesktopGeometry desktop({-1280, 0, 1920, 1080},
                                      {{0, 0, 1920, 1080}, {-1280, 56, 0, 1080}});
  base::MemoryBitmap picture;
  ASSERT_TRUE(picture.MakeTopDown32(desktop.width(), desktop.height()));
  WndCapDlg* magnifier = WndCapDlg::Create(picture.dc(), desktop, {100, 500});
  HWND window = magnifier->GetWidget()->GetHwnd();
  const struct {
    POINT cursor;  // desktop coordinates
    POINT window;  // screen coordinates
  } cases[] = {
      {{100, 500}, {-1160, 520}},
      {{1250, 500}, {-30 - 139, 520}},         // the left monitor's right edge
      {{1300, 1000}, {40, 1000 - 153}},        // the primary's bottom edge
      {{3190, 10}, {1910 - 139, 30}},          // the primary's right edge
      {{600, 1060}, {-680 + 20, 1060 - 153}},  // the left monitor's bottom edge
  };
  for (const auto& c : cases) {
    magnifier->MoveTo(c.cursor, 10, 10);
    testing_support::PumpMessages();
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, c.window.x) << c.cursor.x << "," << c.cursor.y;
    EXPECT_EQ(rect.top, c.window.y) << c.cursor.x << "," << c.cursor.y;
  }
  magnifier->Close();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
}

}  // namespace

namespace {

COLORREF Stripes(int x, int y) {
  return (x >= 400 && y >= 300) ? RGB(40, 90, 160) : RGB((x * 9) & 0xFF, (y * 5) & 0xFF, 77);
}

// Every pixel of the two magnifiers' buffers alike, but for those of `marks`.
testing::AssertionResult SameBuffers(const dui::Widget* a,
                                     const dui::Widget* b,
                                     std::initializer_list<POINT> marks) {
  for (int y = 0; y < WndCapDlg::kHeight; ++y) {
    for (int x = 0; x < WndCapDlg::kWidth; ++x) {
      const bool marked = std::any_of(marks.begin(), marks.end(),
                                      [&](const POINT& m) { return m.x == x && m.y == y; });
      if (!marked &&
          dui_testing::WidgetBufferPixel(a, x, y) != dui_testing::WidgetBufferPixel(b, x, y))
        return testing::AssertionFailure() << "first differs at " << x << ", " << y;
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace

// A move repaints only the picture's and the panel's parts that changed (as one rectangle);
// what it shows is still what a magnifier made there anew shows. A marker in the buffer
// shows what was not painted again.
TEST(MagnifierTest, RepaintsOnlyWhatChangedAndShowsWhatANewOneWould) {
  const base::DesktopGeometry desktop({0, 0, 800, 600}, {{0, 0, 800, 600}});
  base::MemoryBitmap picture;
  ASSERT_TRUE(picture.MakeTopDown32(800, 600));
  testing_support::PaintPattern(picture.dc(), 0, 0, 800, 600, &Stripes);
  WndCapDlg* moving = WndCapDlg::Create(picture.dc(), desktop, {100, 100});
  dui::Widget* widget = moving->GetWidget();
  constexpr POINT kPictureMark = {5, 5};
  constexpr POINT kSizeLineMark = {117, 95};
  const struct {
    const char* name;
    POINT cursor;
    SIZE selection;
    bool picture_painted;
    bool size_line_painted;
  } steps[] = {
      {"over the stripes", {150, 120}, {0, 0}, true, true},
      {"into the even area", {600, 450}, {0, 0}, true, true},
      {"within it", {603, 452}, {0, 0}, false, false},
      {"a new size", {606, 452}, {30, 40}, false, true},
      // The stripes at the picture's left edge move, the colour under the cursor stays.
      {"near the even area's edge", {412, 452}, {30, 40}, true, false},
      {"a pixel on", {413, 452}, {30, 40}, true, false},
      {"back to the stripes", {200, 150}, {30, 40}, true, true},
  };
  // Written straight into the buffer, as no paint would.
  const auto mark = [&](POINT at) {
    GdiFlush();
    DIBSECTION section = {};
    GetObjectW(GetCurrentObject(widget->GetMemoryDC(), OBJ_BITMAP), sizeof(section), &section);
    auto* buffer = static_cast<uint32_t*>(section.dsBm.bmBits);
    buffer[(section.dsBm.bmHeight - 1 - at.y) * section.dsBm.bmWidth + at.x] = 0xFF123456;
  };
  for (const auto& step : steps) {
    testing_support::PumpMessages();
    mark(kPictureMark);
    mark(kSizeLineMark);
    moving->MoveTo(step.cursor, step.selection.cx, step.selection.cy);
    testing_support::PumpMessages();
    EXPECT_EQ(dui_testing::WidgetBufferPixel(widget, kPictureMark.x, kPictureMark.y) != 0xFF123456,
              step.picture_painted)
        << step.name;
    EXPECT_EQ(
        dui_testing::WidgetBufferPixel(widget, kSizeLineMark.x, kSizeLineMark.y) != 0xFF123456,
        step.size_line_painted)
        << step.name;
    RECT window = {};
    GetWindowRect(widget->GetHwnd(), &window);
    EXPECT_EQ(window.left, step.cursor.x + 20) << step.name << ": moved all the same";
    WndCapDlg* anew = WndCapDlg::Create(picture.dc(), desktop, step.cursor);
    anew->MoveTo(step.cursor, step.selection.cx, step.selection.cy);
    testing_support::PumpMessages();
    EXPECT_TRUE(SameBuffers(widget, anew->GetWidget(), {kPictureMark, kSizeLineMark})) << step.name;
    anew->Close();
  }
  moving->Close();
  testing_support::PumpMessages();
}
