#include "overlay/size_label_layout.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr RECT kScreen = {0, 0, 1920, 1080};
// A monitor left of and lower than the primary one, in the desktop's coordinates when the
// desktop starts at its left edge: the primary one then begins at x 1280.
constexpr RECT kLeftLower = {0, 56, 1280, 1080};
constexpr int kBackgroundHeight = 32;
constexpr SIZE kText = {150, 44};

// The label box before the final trim: right reduced by 40, 1 pixel off the bottom, and
// the top set from the background picture's height.
RECT Trimmed(int left, int right, int bottom) {
  return {left, bottom - 1 - kBackgroundHeight - 4, right - 40, bottom - 1};
}

// The label is 150 + 14 wide and sits 2 above the selection, or from 2 below its top to
// cy + 4 below it inside; it moves 47 up out of the toolbar's way, or under the toolbar when
// the monitor has no room above.
TEST(SizeLabelLayoutTest, AboveInsideLeftOfTheSelectionAndOutOfTheToolbarsWay) {
  const struct {
    const char* name;
    RECT selection;
    RECT monitor;
    std::optional<RECT> toolbar;
    RECT expected;
  } cases[] = {
      {"above", {300, 400, 700, 600}, kScreen, std::nullopt, Trimmed(300, 464, 398)},
      {"inside at the top edge", {300, 0, 700, 600}, kScreen, std::nullopt, Trimmed(300, 464, 48)},
      {"left at the right edge",
       {1800, 400, 1920, 600},
       kScreen,
       std::nullopt,
       Trimmed(1636, 1800, 398)},
      {"dodges up",
       {300, 400, 700, 600},
       kScreen,
       RECT{250, 330, 604, 375},
       Trimmed(300, 464, 398 - 47)},
      {"under a toolbar at the top",
       {300, 60, 700, 600},
       kScreen,
       RECT{250, 0, 604, 45},
       Trimmed(300, 464, 45 + 2 + 48)},
      {"a toolbar elsewhere",
       {300, 400, 700, 600},
       kScreen,
       RECT{1000, 800, 1354, 845},
       Trimmed(300, 464, 398)},
      // The lower monitor's top edge, where the desktop goes on higher beside it.
      {"inside at a lower monitor's top",
       {300, 56, 700, 600},
       kLeftLower,
       std::nullopt,
       Trimmed(300, 464, 56 + 48)},
      {"above, lower on that monitor",
       {300, 150, 700, 600},
       kLeftLower,
       std::nullopt,
       Trimmed(300, 464, 148)},
      {"left at a monitor's right edge",
       {1200, 400, 1280, 600},
       kLeftLower,
       std::nullopt,
       Trimmed(1036, 1200, 398)},
      // A monitor narrower than the label and the selection side by side.
      {"at a narrow monitor's left edge",
       {1100, 400, 1180, 600},
       RECT{1000, 0, 1180, 1080},
       std::nullopt,
       Trimmed(1000, 1164, 398)},
  };
  for (const auto& c : cases) {
    const RECT label = LayOutSizeLabel(c.selection, kText, c.monitor,
                                       c.toolbar ? &*c.toolbar : nullptr, kBackgroundHeight);
    EXPECT_TRUE(EqualRect(&label, &c.expected)) << c.name << ": " << label.left << "," << label.top
                                                << " " << label.right << "," << label.bottom;
  }
}

// At 200 % every gap, the dodge and the trim are twice as long, for text and a background
// measured twice as large.
TEST(SizeLabelLayoutTest, GapsDodgeAndTrimAtTheMonitorsScale) {
  const base::DpiScale scale(192);
  const SIZE text = {300, 88};
  const struct {
    const char* name;
    RECT selection;
    std::optional<RECT> toolbar;
    RECT expected;
  } cases[] = {
      {"above", {300, 400, 900, 800}, std::nullopt, {300, 322, 548, 394}},
      {"inside at the top edge", {300, 0, 900, 800}, std::nullopt, {300, 22, 548, 94}},
      {"dodges up", {300, 400, 900, 800}, RECT{192, 330, 900, 420}, {300, 228, 548, 300}},
  };
  for (const auto& c : cases) {
    const RECT label =
        LayOutSizeLabel(c.selection, text, kScreen, c.toolbar ? &*c.toolbar : nullptr, 64, scale);
    EXPECT_TRUE(EqualRect(&label, &c.expected)) << c.name << ": " << label.left << "," << label.top
                                                << " " << label.right << "," << label.bottom;
  }
}

}  // namespace
