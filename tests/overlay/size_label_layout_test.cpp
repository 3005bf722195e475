#include "overlay/size_label_layout.h"

#include <gtest/gtest.h>

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kBackgroundHeight = 32;
constexpr SIZE kText = {150, 44};

bool Equal(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

// The label box before the final trim: right reduced by 40, 1 pixel off the bottom, and
// the top set from the background picture's height.
RECT Trimmed(int left, int right, int bottom) {
  return {left, bottom - 1 - kBackgroundHeight - 4, right - 40, bottom - 1};
}

TEST(SizeLabelLayoutTest, LabelSitsAboveTheSelection) {
  const RECT label =
      LayOutSizeLabel({300, 400, 700, 600}, kText, kScreenWidth, nullptr, kBackgroundHeight);
  EXPECT_TRUE(Equal(label, Trimmed(300, 300 + 150 + 14, 400 - 2)));
}

TEST(SizeLabelLayoutTest, SelectionAtTheTopEdgeGetsTheLabelInside) {
  const RECT label =
      LayOutSizeLabel({300, 0, 700, 600}, kText, kScreenWidth, nullptr, kBackgroundHeight);
  // Inside: from 2 below the top to cy + 4 below it.
  EXPECT_TRUE(Equal(label, Trimmed(300, 464, 0 + 44 + 4)));
}

TEST(SizeLabelLayoutTest, LabelThatWouldLeaveTheScreenGoesLeftOfTheSelection) {
  const RECT label =
      LayOutSizeLabel({1800, 400, 1920, 600}, kText, kScreenWidth, nullptr, kBackgroundHeight);
  EXPECT_TRUE(Equal(label, Trimmed(1800 - 164, 1800, 398)));
}

TEST(SizeLabelLayoutTest, LabelMovesOutOfTheToolbarsWay) {
  // Room above: 47 pixels up.
  const RECT toolbar = {250, 330, 604, 375};
  RECT label =
      LayOutSizeLabel({300, 400, 700, 600}, kText, kScreenWidth, &toolbar, kBackgroundHeight);
  EXPECT_TRUE(Equal(label, Trimmed(300, 464, 398 - 47)));

  // No room above: just below the toolbar, at the same height.
  const RECT high_toolbar = {250, 0, 604, 45};
  label =
      LayOutSizeLabel({300, 60, 700, 600}, kText, kScreenWidth, &high_toolbar, kBackgroundHeight);
  EXPECT_TRUE(Equal(label, Trimmed(300, 464, 45 + 2 + (58 - 10))));

  // A toolbar elsewhere changes nothing.
  const RECT far_toolbar = {1000, 800, 1354, 845};
  label =
      LayOutSizeLabel({300, 400, 700, 600}, kText, kScreenWidth, &far_toolbar, kBackgroundHeight);
  EXPECT_TRUE(Equal(label, Trimmed(300, 464, 398)));
}

}  // namespace
