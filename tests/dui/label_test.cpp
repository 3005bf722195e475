// Label: one line of text, never wrapped, grey while disabled, and its preferred size.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dui/label.h"
#include "tests/dui/pixels.h"
#include "tests/dui/test_widget.h"

namespace {

using dui::Label;
using dui_testing::RawPixel;

constexpr uint32_t kOpaqueRed = 0xFFFF0000;
constexpr wchar_t kLongPath[] = L"C:\\Users\\someone\\Pictures\\Screenshots\\2024\\capture.png";

// Where a painting left ink, and the colour of its most opaque pixel.
struct Ink {
  int left = 1 << 30;
  int right = -1;
  int top = 1 << 30;
  int bottom = -1;
  uint32_t strongest = 0;
};

Ink FindInk(Gdiplus::Bitmap& bitmap) {
  Ink ink;
  for (int y = 0; y < static_cast<int>(bitmap.GetHeight()); ++y) {
    for (int x = 0; x < static_cast<int>(bitmap.GetWidth()); ++x) {
      const uint32_t pixel = RawPixel(bitmap, x, y);
      if (pixel >> 24 == 0)
        continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      if (pixel >> 24 > ink.strongest >> 24)
        ink.strongest = pixel;
    }
  }
  return ink;
}

// The colour of a premultiplied pixel, alpha put back to opaque.
uint32_t Unpremultiplied(uint32_t pixel) {
  const uint32_t alpha = pixel >> 24;
  if (alpha == 0)
    return 0;
  auto channel = [&](int shift) { return ((pixel >> shift & 0xFF) * 255 + alpha / 2) / alpha; };
  return 0xFF000000 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

// The label painted 20 pixels inside a bitmap larger than itself on every side, so that ink
// that spills out on any side would show; the ink is given in the label's coordinates.
Ink PaintedInk(Label& label) {
  constexpr int kMargin = 20;
  auto bitmap = dui_testing::TransparentBitmap(label.GetWidth() + 2 * kMargin,
                                               label.GetHeight() + 2 * kMargin);
  Gdiplus::Graphics g(bitmap.get());
  g.TranslateTransform(kMargin, kMargin);
  label.Paint(g, label.GetLocalBounds());
  Ink ink = FindInk(*bitmap);
  ink.left -= kMargin;
  ink.right -= kMargin;
  ink.top -= kMargin;
  ink.bottom -= kMargin;
  return ink;
}

TEST(LabelTest, LongTextStaysOnOneCentredLineInsideTheBounds) {
  Label label;
  label.SetBounds(0, 0, 120, 60);
  label.SetTextColor(kOpaqueRed);
  label.SetText(kLongPath);
  EXPECT_EQ(label.GetText(), kLongPath);
  const Ink ink = PaintedInk(label);
  ASSERT_GE(ink.right, 0) << "something was drawn";
  EXPECT_LT(ink.right, 120);
  EXPECT_GE(ink.left, 0);
  // One line of a 12 pixel font in the middle of 60 pixels, not two lines from the top.
  EXPECT_LE(ink.bottom - ink.top, 16);
  EXPECT_GT(ink.top, 15);
  EXPECT_LT(ink.bottom, 45);
  EXPECT_EQ(Unpremultiplied(ink.strongest), kOpaqueRed) << std::hex << ink.strongest;
}

TEST(LabelTest, DisabledLabelIsGreyAndEmptyLabelDrawsNothing) {
  Label label;
  label.SetBounds(0, 0, 120, 30);
  label.SetTextColor(kOpaqueRed);
  label.SetText(L"HHHH");
  label.SetEnabled(false);
  const uint32_t grey = PaintedInk(label).strongest;
  EXPECT_GE(grey >> 24, 0x80u);
  EXPECT_EQ(Unpremultiplied(grey), 0xFFA0A0A0) << std::hex << grey;
  label.SetText(L"");
  EXPECT_LT(PaintedInk(label).right, 0);
}

TEST(LabelTest, PreferredSizeMeasuresTheTextAlikeInAndOutOfAWidget) {
  auto* label = new Label;
  label->SetText(L"abc");
  const dui::Size alone = label->GetPreferredSize();
  EXPECT_GT(alone.width, 0);
  EXPECT_GE(alone.height, 12);
  EXPECT_LE(alone.height, 20);
  label->SetText(L"abcabc");
  EXPECT_GT(label->GetPreferredSize().width, alone.width);

  dui_testing::TestWidget widget({300, 200, 100, 50}, label);
  label->SetText(L"abc");
  EXPECT_EQ(label->GetPreferredSize(), alone);
  label->SetText(L"");
  EXPECT_EQ(label->GetPreferredSize().width, 0);
}

}  // namespace
