// The toolbar, its picker and its tooltip in real widgets of this process, clicked with real
// mouse messages; what reaches the capture window is recorded by a stand-in delegate.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/desktop_geometry.h"
#include "dui/common_button.h"
#include "dui/dropdown_view.h"
#include "dui/widget.h"
#include "resources/resource_ids.h"
#include "tests/dui/test_widget.h"
#include "tests/support/fake_ticks.h"
#include "tests/support/wait.h"
#include "tests/support/window_input.h"
#include "ui/color_table_dlg.h"
#include "toolset/tool_table.h"
#include "ui/toolbar.h"
#include "ui/toolbar_delegate.h"
#include "ui/tooltip.h"

namespace {

using testing_support::ClickClientPoint;
using testing_support::PumpMessages;
using testing_support::ScopedCtrlKey;
using testing_support::ScopedFakeTicks;
using testing_support::WaitUntil;

// Records the commands in the order they come, with their argument where they have one.
class RecordingDelegate : public ToolbarDelegate {
 public:
  void OnToolChosen(Tool tool) override { calls.push_back(RowOf(tool).name); }
  void OnArrowKey(int vk) override { calls.push_back("arrow key " + std::to_string(vk)); }
  void OnCancel(CancelReason reason) override {
    calls.push_back("cancel " + std::to_string(static_cast<int>(reason)));
  }
  void OnDone() override { calls.push_back("done"); }
  void OnSave(SaveSource source) override {
    calls.push_back("save " + std::to_string(static_cast<int>(source)));
  }
  void OnColorChanged() override { calls.push_back("color"); }
  void OnFontSizeChanged() override { calls.push_back("font size"); }
  void OnQuit() override { calls.push_back("quit"); }
  void OnUndo() override { calls.push_back("undo"); }
  void OnRedo() override { calls.push_back("redo"); }
  std::vector<std::string> calls;
};

class ToolbarTest : public testing::Test {
 protected:
  void SetUp() override {
    toolbar_ = Toolbar::CreateToolbar(nullptr, base::DesktopGeometry::Read(), kAnchorX, kAnchorY,
                                      base::DpiScale());
    toolbar_->SetDelegate(&delegate_);
    toolbar_->SetPosition(kAnchorX, kAnchorY, base::DpiScale());
  }
  void TearDown() override {
    HWND window = toolbar_->widget() ? toolbar_->widget()->GetHwnd() : nullptr;
    toolbar_->CloseAll();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
  }
  template <typename Which>
  void ClickButton(Which button) {
    const dui::Rectangle bounds = toolbar_->button(button)->GetBounds();
    ClickClientPoint(toolbar_->widget()->GetHwnd(), bounds.x + 12, bounds.y + 12);
  }
  HWND PickerWindow() { return toolbar_->GetOpenPicker()->GetWidget()->GetHwnd(); }
  // The picker's view under its client point, as a click there finds it.
  dui::View* PickerViewAt(int x, int y) {
    return toolbar_->GetOpenPicker()->GetViewForPoint({x, y});
  }
  // The colour the picker's back buffer holds at (x, y) once it is painted.
  COLORREF PickerPixel(int x, int y) {
    PumpMessages();
    const uint32_t argb =
        dui_testing::WidgetBufferPixel(toolbar_->GetOpenPicker()->GetWidget(), x, y);
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
  }

  static constexpr int kAnchorX = 900;
  static constexpr int kAnchorY = 400;
  RecordingDelegate delegate_;
  Toolbar* toolbar_ = nullptr;
};

TEST_F(ToolbarTest, EachToolOpensItsPickerLayout) {
  const struct {
    Tool tool;
    int width;
    int size_buttons;
    int selected_size;
    int font_button_caption_y;  // 0 without a font button
    POINT first_cell;           // {0, 0} without colours
    COLORREF preview;
  } cases[] = {
      {Tool::kRectangle, 316, 3, 1, 0, {171, 9}, RGB(0, 0, 0)},
      {Tool::kText, 271, 0, 0, 27, {127, 9}, RGB(255, 0, 0)},
      {Tool::kMosaic, 219, 5, 2, 0, {0, 0}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    ClickButton(c.tool);
    ColorTableDlg* picker = toolbar_->GetOpenPicker();
    ASSERT_NE(picker, nullptr);
    RECT window = {};
    GetWindowRect(PickerWindow(), &window);
    const int offset = toolbar_->button(c.tool)->GetX() - 11;
    EXPECT_EQ(window.left, kAnchorX - Toolbar::kWidth + offset) << "under its tool";
    EXPECT_EQ(window.top, kAnchorY + Toolbar::kHeight);
    EXPECT_EQ(window.right - window.left, c.width);
    for (int i = 0; i < 5; ++i) {
      auto* size = dynamic_cast<dui::CommonButton*>(PickerViewAt(2 + 43 * i + 21, 26));
      const int size_faces[] = {IDB_SIZE_1_HOVER, IDB_SIZE_2_HOVER, IDB_SIZE_3_HOVER,
                                IDB_SIZE_4_HOVER, IDB_SIZE_5_HOVER};
      if (size && size->GetStateImage(dui::CommonButton::Look::kHover) != size_faces[i])
        size = nullptr;
      ASSERT_EQ(size != nullptr, i < c.size_buttons) << "size button " << i;
      if (size) {
        EXPECT_EQ(size->GetStateImage(dui::CommonButton::Look::kNormal) ==
                      size->GetStateImage(dui::CommonButton::Look::kPressed),
                  i == c.selected_size)
            << "only the opening size shows selected";
      }
    }
    if (c.font_button_caption_y) {
      auto* font = dynamic_cast<dui::CommonButton*>(PickerViewAt(20, c.font_button_caption_y));
      ASSERT_NE(font, nullptr);
      EXPECT_EQ(font->GetText(), L"12");
    }
    if (c.first_cell.x) {
      // Two rows of eight cells, 18 apart, with the palette's colours under their frames.
      for (int i : {0, 7, 8, 15}) {
        const int x = c.first_cell.x + 18 * (i % 8) + 8;
        const int y = c.first_cell.y + 18 * (i / 8) + 8;
        EXPECT_NE(dynamic_cast<dui::CommonButton*>(PickerViewAt(x, y)), nullptr) << "cell " << i;
        EXPECT_EQ(PickerPixel(x, y), ToColorRef(kPalette[i])) << "swatch " << i;
      }
      EXPECT_EQ(PickerPixel(c.first_cell.x - 22, 26), c.preview) << "the preview";
    } else {
      EXPECT_EQ(picker->GetChildViewCount(), c.size_buttons) << "no colours, no font button";
    }
  }
  EXPECT_EQ(delegate_.calls, (std::vector<std::string>{"rectangle", "text", "mosaic"}));
}

// At the monitor's right edge the pickers that reach past the toolbar's right edge move left,
// onto the monitor; the rectangle's stays under its button.
TEST_F(ToolbarTest, PickersStayOnTheToolbarsMonitor) {
  const RECT monitor = base::DesktopGeometry::Read().MonitorAt({kAnchorX, kAnchorY});
  toolbar_->SetPosition(monitor.right, kAnchorY, base::DpiScale());
  const struct {
    Tool tool;
    int width;
  } cases[] = {
      {Tool::kRectangle, 316}, {Tool::kArrow, 316}, {Tool::kText, 271}, {Tool::kMosaic, 219}};
  for (const auto& c : cases) {
    ClickButton(c.tool);
    ASSERT_NE(toolbar_->GetOpenPicker(), nullptr);
    RECT window = {};
    GetWindowRect(PickerWindow(), &window);
    const int under_button =
        monitor.right - Toolbar::kWidth + toolbar_->button(c.tool)->GetX() - 11;
    EXPECT_EQ(window.left, std::min<int>(under_button, monitor.right - c.width))
        << static_cast<int>(c.tool);
    EXPECT_LE(window.right, monitor.right) << static_cast<int>(c.tool);
  }
}

TEST_F(ToolbarTest, PickerTellsColoursAtOnceAndSizesToNobody) {
  ClickButton(Tool::kRectangle);
  delegate_.calls.clear();
  ClickClientPoint(PickerWindow(), 2 + 43 * 2 + 21, 26);
  EXPECT_TRUE(delegate_.calls.empty()) << "a size is read when the next shape starts";
  EXPECT_EQ(toolbar_->GetOpenPicker()->GetSettings().curSizeIndex, 2);
  ClickClientPoint(PickerWindow(), 171 + 18 * 5 + 8, 27 + 8);  // blue, the sixth of the second row
  EXPECT_EQ(delegate_.calls, (std::vector<std::string>{"color"}));
  EXPECT_EQ(ChosenColor(toolbar_->GetOpenPicker()->GetSettings()), RGB(0, 0, 255));
  EXPECT_EQ(PickerPixel(150, 26), RGB(0, 0, 255)) << "the preview shows it at once";
}

// A record from elsewhere may hold any index: each is kept within its table.
TEST_F(ToolbarTest, PickerBoundsEveryIndexOfItsRecord) {
  ClickButton(Tool::kText);
  PickerSettings odd = kDefaultPickerSettings;
  odd.kind = static_cast<int32_t>(ToolKind::kText);
  odd.fontIndex = 12;
  odd.colorIndex = 99;
  odd.sizeIndex = -4;
  toolbar_->GetOpenPicker()->Show(odd, 100, 100, base::DpiScale());
  const PickerSettings& shown = toolbar_->GetOpenPicker()->GetSettings();
  EXPECT_EQ(shown.curFontIndex, 7);
  EXPECT_EQ(shown.curColorIndex, 15);
  EXPECT_EQ(shown.curSizeIndex, 0);
  EXPECT_EQ(static_cast<dui::CommonButton*>(PickerViewAt(20, 27))->GetText(), L"22");
  EXPECT_EQ(ChosenFontPoints(odd), 22);
  EXPECT_EQ(ChosenLineWidth(odd), 1);
  EXPECT_EQ(ChosenMosaicSize(odd), 5);
}

// The font-size list opens under the picker, or above it where the screen ends.
TEST_F(ToolbarTest, FontSizeListOpensUpwardsNearTheBottom) {
  ClickButton(Tool::kText);
  const int screen_height = GetSystemMetrics(SM_CYSCREEN);
  for (const int picker_y : {300, screen_height - 100}) {
    PickerSettings text = toolbar_->GetOpenPicker()->GetSettings();
    toolbar_->GetOpenPicker()->Show(text, 500, picker_y, base::DpiScale());
    ClickClientPoint(PickerWindow(), 20, 27);
    dui::Widget* list = toolbar_->GetOpenPicker()->FontSizeListWidget();
    ASSERT_NE(list, nullptr);
    const int expected_y = picker_y == 300 ? 300 + ColorTableDlg::kHeight : picker_y - 260;
    EXPECT_EQ(list->GetWindowBounds().y, expected_y - 1);
    EXPECT_EQ(list->GetWindowBounds().x, 506);
    HWND hwnd = list->GetHwnd();
    toolbar_->ClosePopupMenus();
    EXPECT_EQ(toolbar_->GetOpenPicker()->FontSizeListWidget(), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }));
  }
}

// The list offers the eight sizes; a second click on the font-size button closes it.
TEST_F(ToolbarTest, FontSizeListOffersTheSizesAndTogglesFromItsButton) {
  ClickButton(Tool::kText);
  ClickClientPoint(PickerWindow(), 20, 27);
  dui::Widget* list = toolbar_->GetOpenPicker()->FontSizeListWidget();
  ASSERT_NE(list, nullptr);
  const wchar_t* sizes[] = {L"8", L"10", L"12", L"14", L"16", L"18", L"20", L"22"};
  ASSERT_EQ(list->GetContentsView()->GetChildViewCount(), 8);
  for (int i = 0; i < 8; ++i) {
    auto* item = static_cast<dui::CommonButton*>(list->GetContentsView()->GetChildViewAt(i));
    EXPECT_EQ(item->GetText(), sizes[i]);
  }
  HWND hwnd = list->GetHwnd();
  ClickClientPoint(PickerWindow(), 20, 27);
  EXPECT_EQ(toolbar_->GetOpenPicker()->FontSizeListWidget(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }));
}

// What the list reports becomes the picker's size: its index, the button's caption and a
// word to the capture window; a list gone without a choice changes nothing.
TEST_F(ToolbarTest, FontSizeChosenFromTheListCaptionsTheButton) {
  const struct {
    int chosen;
    int font_index;
    const wchar_t* caption;
    size_t calls;
  } cases[] = {
      {3, 3, L"14", 1},
      {dui::DropdownView::kNoChoice, 3, L"14", 1},
      {7, 7, L"22", 2},
  };
  ClickButton(Tool::kText);
  delegate_.calls.clear();
  ColorTableDlg* picker = toolbar_->GetOpenPicker();
  for (const auto& c : cases) {
    picker->OnDropdownClosed(c.chosen);
    EXPECT_EQ(picker->GetSettings().curFontIndex, c.font_index) << c.chosen;
    auto* button = static_cast<dui::CommonButton*>(PickerViewAt(20, 27));
    EXPECT_EQ(button->GetText(), c.caption) << c.chosen;
    EXPECT_EQ(delegate_.calls.size(), c.calls) << c.chosen;
  }
  EXPECT_EQ(delegate_.calls.back(), "font size");
}

TEST_F(ToolbarTest, ClicksAndKeysBecomeCommands) {
  ClickButton(Tool::kArrow);
  ClickButton(Tool::kArrow);
  EXPECT_EQ(toolbar_->GetOpenPicker(), nullptr) << "the active tool clicked again is off";
  EXPECT_EQ(toolbar_->button(Tool::kArrow)->GetStateImage(dui::CommonButton::Look::kNormal),
            IDB_TOOL_ARROW);
  ClickButton(Toolbar::Command::kSave);
  ClickButton(Toolbar::Command::kCancel);
  ClickButton(Toolbar::Command::kDone);
  // A tool's letter chooses it as its button does, and again switches it off.
  for (int key : {VK_ESCAPE, VK_LEFT, VK_DOWN, int{'S'}, int{'Z'}, int{'X'}, int{'P'}}) {
    toolbar_->OnKeyPressed(key);
  }
  EXPECT_NE(toolbar_->GetOpenPicker(), nullptr) << "the pen's picker";
  toolbar_->OnKeyPressed('P');
  EXPECT_EQ(toolbar_->GetOpenPicker(), nullptr) << "the pen switched off";
  toolbar_->OnKeyPressed(VK_RETURN);
  {
    ScopedCtrlKey ctrl;
    for (int key : {'S', 'Z', 'Y', 'P', 'C'})
      toolbar_->OnKeyPressed(key);
  }
  EXPECT_EQ(delegate_.calls,
            (std::vector<std::string>{"arrow", "arrow", "save 0", "cancel 0", "done", "cancel 1",
                                      "arrow key 37", "arrow key 40", "pen", "pen", "done",
                                      "save 1", "undo", "redo", "done"}));
}

TEST_F(ToolbarTest, LayoutWithoutSaveMovesCancelAndCopyIntoItsPlace) {
  toolbar_->UseLayoutWithoutSave();
  RECT window = {};
  GetWindowRect(toolbar_->widget()->GetHwnd(), &window);
  EXPECT_EQ(window.right, kAnchorX) << "it still hangs from its anchor";
  EXPECT_EQ(window.right - window.left, Toolbar::kWidthWithoutSave);
  EXPECT_FALSE(toolbar_->button(Toolbar::Command::kSave)->IsVisible());
  // In the save button's place (after the nine tools, 44 apart from 11) and the next.
  EXPECT_EQ(toolbar_->button(Toolbar::Command::kCancel)->GetBounds(),
            (dui::Rectangle{407, 10, 24, 24}));
  EXPECT_EQ(toolbar_->button(Toolbar::Command::kDone)->GetBounds(),
            (dui::Rectangle{451, 10, 24, 24}));
}

// The tooltip counts its delay in the widget's ticks: shown at the first tick past 100 ms,
// gone 5 s later; a delay cut short by leaving a button carries over to the next one.
TEST(TooltipTest, DelayDisplayAndCarriedDelay) {
  ScopedFakeTicks clock(1000);
  Tooltip* tooltip = Tooltip::CreateTooltip(base::DesktopGeometry::Read());
  HWND window = tooltip->GetWidget()->GetHwnd();
  auto tick = [&](DWORD ms) {
    clock.Advance(ms);
    SendMessageW(window, WM_TIMER, 1, 0);
  };
  tooltip->ShowAt(nullptr, L"矩形工具", 400, 300, 61, 22);
  tick(66);
  EXPECT_FALSE(IsWindowVisible(window));
  tick(33);
  EXPECT_FALSE(IsWindowVisible(window)) << "99 ms";
  tick(33);
  EXPECT_TRUE(IsWindowVisible(window)) << "the first tick past 100 ms";
  RECT rect = {};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 408);
  EXPECT_EQ(rect.top, 318);
  EXPECT_EQ(rect.right - rect.left, 61);
  tick(4900);
  EXPECT_TRUE(IsWindowVisible(window));
  tick(100);
  EXPECT_FALSE(IsWindowVisible(window)) << "after five seconds";

  tooltip->ShowAt(nullptr, L"椭圆工具", 400, 300, 61, 22);
  tick(60);
  tooltip->Hide();
  tooltip->ShowAt(nullptr, L"箭头工具", 450, 300, 61, 22);
  tick(39);
  EXPECT_FALSE(IsWindowVisible(window));
  tick(1);
  EXPECT_TRUE(IsWindowVisible(window)) << "the 40 ms left of the first delay";
  EXPECT_EQ(tooltip->text(), L"箭头工具");
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT)
      << "clicks pass through it";
  tooltip->Update(L"保存 Ctrl+S", 450, 300, 38, 22);
  GetWindowRect(window, &rect);
  EXPECT_GT(rect.right - rect.left, 60) << "wide enough for its text";

  tooltip->GetWidget()->Close();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
}

// Beside the cursor unless that leaves the cursor's monitor: then against its right edge, or
// above the cursor at its bottom edge. A second, lower monitor to the right of the first.
TEST(TooltipTest, StaysOnTheCursorsMonitor) {
  const base::DesktopGeometry desktop({0, 0, 3200, 1080},
                                      {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}});
  Tooltip* tooltip = Tooltip::CreateTooltip(desktop);
  HWND window = tooltip->GetWidget()->GetHwnd();
  const struct {
    POINT cursor;
    POINT expected;
  } cases[] = {
      {{400, 300}, {408, 318}},
      {{1900, 300}, {1920 - 61, 318}},    // the first monitor's right edge
      {{3000, 1010}, {3008, 1010 - 22}},  // the second one's bottom, higher than the first's
      {{1000, 1070}, {1008, 1070 - 22}},
      {{3190, 1000}, {3200 - 61, 1000 - 22}},
  };
  for (const auto& c : cases) {
    tooltip->Update(L"矩形工具", c.cursor.x, c.cursor.y, 61, 22);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, c.expected.x) << c.cursor.x << "," << c.cursor.y;
    EXPECT_EQ(rect.top, c.expected.y) << c.cursor.x << "," << c.cursor.y;
  }
  tooltip->GetWidget()->Close();
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
}

}  // namespace
