// The desktop the tests run on, as Windows reports it and as X shows it. scripts/test runs
// these on its one 1920 x 1080 display, and scripts/lib/other-layout again on desktops of
// several monitors (the monitors.* tests): Windows reports the layout that was asked for,
// each monitor shows the windows placed on it and takes the pointer, and what no monitor
// shows reads black.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/desktop_grab.h"
#include "tests/support/monitor_layout.h"
#include "tests/support/pattern_window.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using testing_support::DesktopGrab;
using testing_support::MonitorLayout;
using testing_support::MonitorText;
using testing_support::PatternWindow;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr SIZE kPatternSize = {160, 120};
constexpr int kGapSampleStep = 16;
constexpr DWORD kPointerTimeoutMs = 5000;

struct ReportedMonitor {
  RECT rect;
  bool primary;
};

std::vector<ReportedMonitor> EnumeratedMonitors() {
  std::vector<ReportedMonitor> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, RECT*, LPARAM data) -> BOOL {
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(monitor, &info)) {
          reinterpret_cast<std::vector<ReportedMonitor>*>(data)->push_back(
              {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

// Monitors as layout text, the primary first and the others from left to right and top to
// bottom, so that two descriptions of one desktop read the same in any order.
std::string Describe(const RECT& primary, std::vector<RECT> others) {
  std::sort(others.begin(), others.end(), [](const RECT& a, const RECT& b) {
    return std::tie(a.left, a.top, a.right, a.bottom) < std::tie(b.left, b.top, b.right, b.bottom);
  });
  std::string text = MonitorText(primary);
  for (const RECT& monitor : others)
    text += "," + MonitorText(monitor);
  return text;
}

std::string Describe(const MonitorLayout& layout) {
  const std::vector<RECT>& monitors = layout.monitors();
  return Describe(monitors.front(), {monitors.begin() + 1, monitors.end()});
}

// What Windows reports, described as a layout; "no primary" or "2 primaries" when it does
// not report exactly one.
std::string DescribeReported(const std::vector<ReportedMonitor>& monitors) {
  std::vector<RECT> primaries;
  std::vector<RECT> others;
  for (const ReportedMonitor& monitor : monitors)
    (monitor.primary ? primaries : others).push_back(monitor.rect);
  if (primaries.size() != 1)
    return std::to_string(primaries.size()) + " primaries among " + std::to_string(monitors.size());
  return Describe(primaries.front(), others);
}

RECT MonitorRectAt(POINT point) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONULL), &info);
  return info.rcMonitor;
}

// Where the pattern at `window` (screen coordinates) first differs from `grab`, or none.
std::optional<std::string> PatternDifference(const DesktopGrab& grab, const RECT& window) {
  for (LONG y = window.top; y < window.bottom; ++y) {
    for (LONG x = window.left; x < window.right; ++x) {
      if (grab.Pixel(x, y) != PatternWindow::PatternAt(x - window.left, y - window.top))
        return "the pattern at (" + std::to_string(window.left) + ", " +
               std::to_string(window.top) + ") differs at (" + std::to_string(x) + ", " +
               std::to_string(y) + ")";
    }
  }
  return std::nullopt;
}

// Points of the virtual screen that no monitor shows: a grid over it, and the points just
// outside each monitor's corners, where a copy one pixel off would show.
std::vector<POINT> GapPoints(const MonitorLayout& layout) {
  const RECT bounds = layout.bounds();
  std::vector<POINT> candidates;
  for (LONG y = bounds.top; y < bounds.bottom; y += kGapSampleStep) {
    for (LONG x = bounds.left; x < bounds.right; x += kGapSampleStep)
      candidates.push_back({x, y});
  }
  for (const RECT& m : layout.monitors()) {
    for (const POINT corner : {POINT{m.left, m.top}, POINT{m.right - 1, m.top},
                               POINT{m.left, m.bottom - 1}, POINT{m.right - 1, m.bottom - 1}}) {
      for (const POINT step : {POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}})
        candidates.push_back({corner.x + step.x, corner.y + step.y});
    }
  }
  std::vector<POINT> gaps;
  for (const POINT point : candidates) {
    if (PtInRect(&bounds, point) && !layout.Shows(point))
      gaps.push_back(point);
  }
  return gaps;
}

class MonitorLayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    // Coordinates in the monitors' own pixels, whatever the DPI.
    SetProcessDPIAware();
    const std::optional<std::string> requested = MonitorLayout::Requested();
    if (!requested) {
      const std::optional<SIZE> display = Xdo::DisplaySize();
      ASSERT_TRUE(display) << "X did not tell the size of its display";
      layout_ = MonitorLayout::Single(*display);
      return;
    }
    layout_ = MonitorLayout::Parse(*requested);
    ASSERT_TRUE(layout_) << "PICTOR_MONITORS=\"" << *requested << "\" is not a layout";
  }

  // The layout this run asked for, or one monitor as large as the display.
  const MonitorLayout& layout() const { return *layout_; }

 private:
  std::optional<MonitorLayout> layout_;
};

TEST(MonitorLayoutFormTest, ReadsWidthHeightAndSignedOffsets) {
  struct Case {
    const char* text;
    const char* read;  // null when the text is not a layout
  };
  const Case cases[] = {
      {"1920x1080+0+0", "1920x1080+0+0"},
      {"1920x1080+0+0,1280x1024-1280+56", "1920x1080+0+0,1280x1024-1280+56"},
      {"800x600+0+0,1600x900+160-900,640x480+800+0", "800x600+0+0,1600x900+160-900,640x480+800+0"},
      {"1920x1080-0+0", "1920x1080+0+0"},
      {"", nullptr},
      {"1920x1080", nullptr},
      {"1920x1080+0", nullptr},
      {"1920x1080+0+0,", nullptr},
      {"1920x1080+0+0,,800x600+1920+0", nullptr},
      {"1920x1080+0+0;800x600+1920+0", nullptr},
      {"1920x1080+0+0 ", nullptr},
      {"1920x1080 +0+0", nullptr},
      {"1920X1080+0+0", nullptr},
      {"0x1080+0+0", nullptr},
      {"1920x0+0+0", nullptr},
      {"-1920x1080+0+0", nullptr},
      {"1920x1080+1920+0", nullptr},  // the primary starts at (0, 0)
      {"1920x1080+0+0,800x600+40000+0", nullptr},
      {"1920x1080+0+0,800x600+1920+a", nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<MonitorLayout> layout = MonitorLayout::Parse(c.text);
    EXPECT_EQ(layout ? layout->ToString() : "none", c.read ? c.read : "none")
        << "\"" << c.text << "\"";
  }
  const std::optional<MonitorLayout> left_lower =
      MonitorLayout::Parse("1920x1080+0+0,1280x1024-1280+56");
  ASSERT_TRUE(left_lower);
  const RECT bounds = left_lower->bounds();
  EXPECT_EQ(MonitorText(bounds), "3200x1080-1280+0");
  EXPECT_TRUE(left_lower->Shows({-1280, 56}));
  EXPECT_FALSE(left_lower->Shows({-1280, 55}));
  EXPECT_FALSE(left_lower->Shows({1920, 0}));
}

TEST_F(MonitorLayoutTest, WindowsReportsTheLayoutAskedFor) {
  const std::vector<ReportedMonitor> reported = EnumeratedMonitors();
  EXPECT_EQ(DescribeReported(reported), Describe(layout()));
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), static_cast<int>(layout().monitors().size()));
  const RECT bounds = layout().bounds();
  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), bounds.left);
  EXPECT_EQ(GetSystemMetrics(SM_YVIRTUALSCREEN), bounds.top);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), bounds.right - bounds.left);
  EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), bounds.bottom - bounds.top);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), layout().primary().right);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), layout().primary().bottom);
  for (const RECT& m : layout().monitors()) {
    for (const POINT corner : {POINT{m.left, m.top}, POINT{m.right - 1, m.bottom - 1}}) {
      EXPECT_EQ(MonitorText(MonitorRectAt(corner)), MonitorText(m))
          << "the monitor at (" << corner.x << ", " << corner.y << ")";
    }
  }
  // X's root window spans the virtual screen, so that every monitor has pixels.
  const std::optional<SIZE> display = Xdo::DisplaySize();
  ASSERT_TRUE(display) << "X did not tell the size of its display";
  EXPECT_EQ(display->cx, bounds.right - bounds.left);
  EXPECT_EQ(display->cy, bounds.bottom - bounds.top);
}

TEST_F(MonitorLayoutTest, EveryMonitorShowsItsWindowsAndTakesThePointer) {
  // A pattern in the top-left and bottom-right corners of each monitor: left of and above
  // the primary monitor, their coordinates are negative.
  std::vector<std::unique_ptr<PatternWindow>> patterns;
  for (const RECT& m : layout().monitors()) {
    patterns.push_back(
        std::make_unique<PatternWindow>(m.left, m.top, kPatternSize.cx, kPatternSize.cy));
    patterns.push_back(std::make_unique<PatternWindow>(
        m.right - kPatternSize.cx, m.bottom - kPatternSize.cy, kPatternSize.cx, kPatternSize.cy));
  }
  std::optional<DesktopGrab> grab;
  std::optional<std::string> difference;
  const bool shown = WaitUntil([&] {
    grab.emplace();
    for (const auto& pattern : patterns) {
      if ((difference = PatternDifference(*grab, pattern->rect())))
        return false;
    }
    return true;
  });
  EXPECT_TRUE(shown) << difference.value_or("");

  const std::vector<POINT> gaps = GapPoints(layout());
  for (const POINT gap : gaps) {
    ASSERT_EQ(grab->Pixel(gap.x, gap.y), RGB(0, 0, 0))
        << "at (" << gap.x << ", " << gap.y << "), which no monitor shows, of " << gaps.size();
  }

  for (const RECT& m : layout().monitors()) {
    for (const POINT point : {POINT{m.left, m.top}, POINT{m.right - 1, m.bottom - 1},
                              POINT{(m.left + m.right) / 2, (m.top + m.bottom) / 2}}) {
      ASSERT_TRUE(Xdo::MoveMouse(point.x, point.y));
      POINT cursor = {};
      EXPECT_TRUE(WaitUntil(
          [&] { return GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y; },
          kPointerTimeoutMs))
          << "the pointer moved to (" << point.x << ", " << point.y << ") is at (" << cursor.x
          << ", " << cursor.y << ")";
    }
  }
}

}  // namespace
