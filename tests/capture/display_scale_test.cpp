// The interface at each monitor's own scale, on a desktop whose monitors differ in scale,
// which this Wine cannot show for real: the lengths and the renders a scale picks; the
// toolbar, its picker, the tooltip and the magnifier at the scale of the monitor they go on,
// laid out anew when they move onto another; the balloon's place; and the capture window,
// which keeps its size when the system tells it of a new scale.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/desktop_geometry.h"
#include "base/dpi_scale.h"
#include "base/memory_bitmap.h"
#include "capture/session_toolbar.h"
#include "capture/wnd_cap_dlg.h"
#include "dui/common_button.h"
#include "dui/res_manager.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"
#include "tests/capture/capture_harness.h"
#include "tests/dui/test_widget.h"
#include "tests/support/png_image.h"
#include "tests/support/program_module.h"
#include "tests/support/wait.h"
#include "ui/color_table_dlg.h"
#include "ui/tip.h"
#include "ui/toolbar.h"
#include "ui/toolbar_delegate.h"
#include "ui/tooltip.h"

namespace {

using testing_support::PumpMessages;

// Three monitors side by side at 100 %, 200 % and 150 %.
const base::DesktopGeometry kMixed({0, 0, 5760, 1080},
                                   {{0, 0, 1920, 1080},
                                    {1920, 0, 3840, 1080},
                                    {3840, 0, 5760, 1080}},
                                   {96, 192, 144});

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

class QuietDelegate : public ToolbarDelegate {
 public:
  void OnToolChosen(Tool) override {}
  void OnArrowKey(int) override {}
  void OnCancel(CancelReason) override {}
  void OnDone() override {}
  void OnSave(SaveSource) override {}
  void OnColorChanged() override {}
  void OnFontSizeChanged() override {}
  void OnQuit() override {}
  void OnUndo() override {}
  void OnRedo() override {}
};

// (DPI) -> per cent, a 45-pixel length, and the render drawn (the next at or above).
TEST(DisplayScaleTest, LengthsAndTheRendersEachScalePicks) {
  const struct {
    int dpi;
    int percent;
    int length_45;
    int render;
  } cases[] = {
      {96, 100, 45, 100},  {120, 125, 56, 150}, {144, 150, 68, 150},
      {168, 175, 79, 200}, {192, 200, 90, 200}, {288, 300, 135, 200},
  };
  for (const auto& c : cases) {
    const base::DpiScale scale(c.dpi);
    EXPECT_EQ(scale.percent(), c.percent) << c.dpi;
    EXPECT_EQ(scale.Scale(45), c.length_45) << c.dpi;
    EXPECT_EQ(scale.Unscale(scale.Scale(45) - 1), 44) << c.dpi << ": the last pixel of the length";
    EXPECT_EQ(scale.Unscale(-1), -1) << c.dpi << ": a point left of a window stays outside it";
    const dui::ResManager::ScaledImage image =
        dui::ResManager::GetInstance()->GetImageFor(IDB_TOOL_RECTANGLE, scale);
    ASSERT_NE(image.image, nullptr);
    EXPECT_EQ(image.percent, c.render) << c.dpi;
    EXPECT_EQ(static_cast<int>(image.image->GetWidth()), 24 * c.render / 100) << c.dpi;
  }
  // Each point takes its monitor's scale, or the nearest monitor's.
  EXPECT_EQ(kMixed.ScaleAt({100, 100}).dpi(), 96);
  EXPECT_EQ(kMixed.ScaleAt({1920, 1079}).dpi(), 192);
  EXPECT_EQ(kMixed.ScaleAt({9000, -50}).dpi(), 144);
  EXPECT_EQ(base::DesktopGeometry({0, 0, 800, 600}, {}).ScaleAt({10, 10}).dpi(), 96);
}

// The toolbar follows a selection across monitors: its size, its place (the gaps too) and the
// scale it draws at are those of the monitor of the selection's bottom-right corner, also for a
// selection across the boundary. At 200 % its faces are the 200 % renders, pixel for pixel,
// and its picker opens at that scale under its button.
TEST(DisplayScaleTest, ToolbarFollowsTheSelectionOntoMonitorsOfOtherScales) {
  dui_testing::TestWidget owner({0, 0, 10, 10});
  QuietDelegate delegate;
  SessionToolbar bar;
  bar.Attach(owner.hwnd(), &delegate, kMixed);
  const struct {
    RECT selection;
    RECT toolbar;
    int dpi;
  } cases[] = {
      {{100, 100, 600, 400}, {70, 405, 600, 450}, 96},
      {{2400, 100, 3100, 400}, {2040, 410, 3100, 500}, 192},
      {{4200, 100, 4900, 400}, {4105, 408, 4900, 476}, 144},
      {{1500, 100, 2100, 400}, {1920, 410, 2980, 500}, 192},  // kept on its corner's monitor
      {{300, 500, 900, 700}, {370, 705, 900, 750}, 96},
  };
  for (const auto& c : cases) {
    bar.Place(c.selection);
    PumpMessages();
    const RECT shown = WindowRect(bar.get()->widget()->GetHwnd());
    EXPECT_TRUE(EqualRect(&shown, &c.toolbar)) << Describe(c.selection) << ": " << Describe(shown);
    EXPECT_EQ(bar.get()->widget()->GetScale().dpi(), c.dpi) << Describe(c.selection);
    RECT target = {};
    ASSERT_TRUE(bar.GetTarget(c.selection, &target));
    EXPECT_TRUE(EqualRect(&target, &c.toolbar)) << Describe(c.selection);
  }

  bar.Place({2400, 100, 3100, 400});
  PumpMessages();
  const testing_support::ProgramModule program;
  const testing_support::PngImage face = testing_support::PngImage::Decode(
      program.ResourceBytes(MAKEINTRESOURCEW(IDB_TOOL_RECTANGLE), L"BINDATA200"));
  ASSERT_TRUE(face.decoded);
  const RECT button = Toolbar::ButtonBounds(Toolbar::SlotOf(Tool::kRectangle), true);
  int opaque = 0;
  for (int y = 0; y < face.height; ++y) {
    for (int x = 0; x < face.width; ++x) {
      const uint32_t expected = face.At(x, y);
      if (testing_support::Alpha(expected) != 0xFF)
        continue;
      ++opaque;
      ASSERT_EQ(dui_testing::WidgetBufferPixel(bar.get()->widget(), 2 * button.left + x,
                                               2 * button.top + y),
                expected)
          << "face pixel (" << x << ", " << y << ")";
    }
  }
  EXPECT_GT(opaque, 20);

  bar.get()->OnClick(bar.get()->button(Tool::kRectangle));
  PumpMessages();
  ColorTableDlg* picker = bar.get()->GetOpenPicker();
  ASSERT_NE(picker, nullptr);
  const RECT picker_rect = WindowRect(picker->GetWidget()->GetHwnd());
  const RECT expected_picker = {2040, 500, 2040 + 2 * ColorTableDlg::WidthFor(0),
                                500 + 2 * ColorTableDlg::kHeight};
  EXPECT_TRUE(EqualRect(&picker_rect, &expected_picker)) << Describe(picker_rect);
  bar.Close();
  PumpMessages();
}

// The tooltip and the magnifier take the scale of the cursor's monitor as it moves, and keep
// their offsets from the cursor at that scale; the magnifier still shows each pixel 3 x 3, more
// of them at a larger scale. The balloon is centred by its size at its monitor's scale.
TEST(DisplayScaleTest, TooltipMagnifierAndBalloonTakeTheScaleOfTheirMonitor) {
  Tooltip* tooltip = Tooltip::CreateTooltip(kMixed);
  HWND tooltip_window = tooltip->GetWidget()->GetHwnd();
  const struct {
    POINT cursor;
    RECT expected;
  } tooltip_cases[] = {
      {{400, 300}, {408, 318, 469, 340}},
      {{2400, 300}, {2416, 336, 2538, 380}},
      {{4400, 300}, {4412, 327, 4504, 360}},
      {{3800, 1050}, {3840 - 122, 1050 - 44, 3840, 1050}},  // the 200 % monitor's corner
  };
  for (const auto& c : tooltip_cases) {
    tooltip->Update(L"矩形工具", c.cursor.x, c.cursor.y, 61, 22);
    const RECT shown = WindowRect(tooltip_window);
    EXPECT_TRUE(EqualRect(&shown, &c.expected)) << c.cursor.x << ": " << Describe(shown);
  }
  tooltip->GetWidget()->Close();

  base::MemoryBitmap picture;
  ASSERT_TRUE(picture.MakeTopDown32(kMixed.width(), kMixed.height()));
  auto* pixels = static_cast<uint32_t*>(picture.bits());
  for (int y = 0; y < kMixed.height(); ++y) {
    for (int x = 0; x < kMixed.width(); ++x)
      pixels[y * kMixed.width() + x] = ((x & 0xFF) << 16) | ((y & 0xFF) << 8) | (x >> 8);
  }
  const auto source_pixel = [&](int x, int y) {
    return 0xFF000000u | pixels[y * kMixed.width() + x];
  };
  WndCapDlg* magnifier = WndCapDlg::Create(picture.dc(), kMixed, {2400, 500});
  const struct {
    POINT cursor;
    RECT window;
    POINT first_source;  // the source pixel at the picture's top-left
  } magnifier_cases[] = {
      {{2400, 500}, {2440, 540, 2678, 806}, {2360, 470}},
      {{400, 500}, {420, 520, 539, 653}, {380, 485}},
      {{4500, 500}, {4530, 530, 4709, 730}, {4470, 478}},
  };
  for (const auto& c : magnifier_cases) {
    magnifier->MoveTo(c.cursor, 0, 0);
    PumpMessages();
    const RECT shown = WindowRect(magnifier->GetWidget()->GetHwnd());
    EXPECT_TRUE(EqualRect(&shown, &c.window)) << c.cursor.x << ": " << Describe(shown);
    // Source pixel (k, k) of the area fills the block from (3k, 3k), inside the frame.
    for (const int k : {5, 12, 25}) {
      EXPECT_EQ(dui_testing::WidgetBufferPixel(magnifier->GetWidget(), 3 * k + 1, 3 * k + 1),
                source_pixel(c.first_source.x + k, c.first_source.y + k))
          << c.cursor.x << ", block " << k;
    }
  }
  magnifier->Close();

  const POINT balloon = Tip::PositionOn(kMixed.monitors()[1], kMixed.scales()[1]);
  EXPECT_EQ(balloon.x, 1920 + (1920 - 510) / 2);
  EXPECT_EQ(balloon.y, (1080 - 250) / 2);
  PumpMessages();
}

// The system's word of a new scale, with the smaller rectangle it suggests, leaves the capture
// window over the whole desktop.
TEST(DisplayScaleTest, CaptureWindowKeepsItsSizeOnANewScale) {
  capture_test::CaptureHarness harness;
  HWND window = harness.hwnd();
  const RECT before = WindowRect(window);
  RECT suggested = {0, 0, (before.right - before.left) / 2, (before.bottom - before.top) / 2};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right, suggested.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT after = WindowRect(window);
  EXPECT_TRUE(EqualRect(&before, &after)) << Describe(after);
}

}  // namespace
