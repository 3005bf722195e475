// The frozen copy of the screen: what the monitors show, and black where none does.
#include "capture/screen_snapshot.h"

#include <gtest/gtest.h>

#include "tests/support/pattern_window.h"

namespace {

using testing_support::PatternWindow;

// The real screen read as a desktop whose top-right part no monitor shows: a pattern window
// across the boundary shows in the copy on the monitors' side only.
TEST(ScreenSnapshotTest, CopiesWhatTheMonitorsShowAndBlackWhereNoneDoes) {
  PatternWindow window(900, 100, 200, 200);
  ASSERT_TRUE(window.WaitUntilShown());
  const base::DesktopGeometry desktop({0, 0, 1920, 1080},
                                      {{0, 0, 1000, 1080}, {1000, 200, 1920, 1080}});
  ScreenSnapshot snapshot;
  ASSERT_TRUE(snapshot.Create(desktop));
  snapshot.CopyScreen(desktop);
  const struct {
    POINT at;
    bool shown;
  } cases[] = {
      {{950, 150}, true},  {{999, 199}, true},  {{1000, 199}, false}, {{1050, 150}, false},
      {{1000, 200}, true}, {{1090, 290}, true}, {{1919, 0}, false},   {{1000, 0}, false},
  };
  for (const auto& c : cases) {
    const COLORREF expected =
        c.shown ? PatternWindow::PatternAt(c.at.x - 900, c.at.y - 100) : RGB(0, 0, 0);
    EXPECT_EQ(GetPixel(snapshot.original_dc(), c.at.x, c.at.y), expected)
        << c.at.x << "," << c.at.y;
  }
}

}  // namespace
