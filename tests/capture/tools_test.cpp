// The toolbar's tools on a capture window of this process: the real toolbar and picker
// clicked with mouse messages, shapes and text read back from the composed frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "capture/edit_box_layout.h"
#include "capture/toolbar_placement.h"
#include "drawing/k_text.h"
#include "dui/common_button.h"
#include "dui/widget.h"
#include "tests/capture/capture_harness.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/wait.h"
#include "tests/support/window_input.h"
#include "ui/color_table_dlg.h"
#include "ui/toolbar.h"

namespace {

using capture_test::CaptureHarness;
using State = SelectionState;
using testing_support::ClickClientPoint;
using testing_support::ScopedCtrlKey;

constexpr RECT kSelection = {200, 150, 800, 550};
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

int CursorWidth(HCURSOR cursor) {
  ICONINFO info = {};
  if (!GetIconInfo(cursor, &info))
    return 0;
  BITMAP bitmap = {};
  GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
  DeleteObject(info.hbmMask);
  if (info.hbmColor)
    DeleteObject(info.hbmColor);
  return bitmap.bmWidth;
}

class ToolsTest : public testing::Test {
 protected:
  void SetUp() override {
    harness_.Drag({kSelection.left, kSelection.top}, {kSelection.right, kSelection.bottom});
    ASSERT_NE(window().toolbar(), nullptr);
  }
  CaptureWindow& window() { return harness_.window(); }
  Toolbar& toolbar() { return *window().toolbar(); }
  void ChooseTool(Tool tool) {
    const dui::Rectangle bounds = toolbar().button(tool)->GetBounds();
    ClickClientPoint(toolbar().widget()->GetHwnd(), bounds.x + 12, bounds.y + 12);
  }
  HWND Picker() { return toolbar().GetOpenPicker()->GetWidget()->GetHwnd(); }
  void ChooseSize(int index) { ClickClientPoint(Picker(), 2 + 43 * index + 21, 26); }
  void ChooseColor(int index) {
    const int first_x =
        ColorTableDlg::kTextWidth == toolbar().GetOpenPicker()->GetWidth() ? 127 : 171;
    ClickClientPoint(Picker(), first_x + 18 * (index % 8) + 8, 9 + 18 * (index / 8) + 8);
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text)
      SendMessageW(window().edit(), WM_CHAR, c, 0);
  }
  RECT EditRect() {
    RECT rect = {};
    GetWindowRect(window().edit(), &rect);
    return rect;
  }
  std::wstring EditText() {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window().edit())) + 1, L'\0');
    text.resize(static_cast<size_t>(
        GetWindowTextW(window().edit(), text.data(), static_cast<int>(text.size()))));
    return text;
  }
  void CtrlKey(int key) {
    ScopedCtrlKey ctrl;
    harness_.Key(key);
  }

  CaptureHarness harness_;
};

// Colour and size are read from the picker when a shape starts: a later change reaches only
// the next shape.
TEST_F(ToolsTest, ShapesTakeThePickersChoicesWhenTheyStart) {
  ChooseTool(Tool::kRectangle);
  EXPECT_EQ(window().state(), State::kAnnotating);
  ChooseColor(10);
  ChooseSize(2);
  harness_.Drag({300, 200}, {400, 300});
  ChooseSize(0);
  harness_.Drag({500, 200}, {600, 300});
  ASSERT_EQ(window().shape_count(), 2u);
  for (int x : {298, 302, 500})
    EXPECT_EQ(harness_.FrameAt(x, 250), kRed) << x;
  for (int x : {304, 502})
    EXPECT_EQ(harness_.FrameAt(x, 250), CaptureHarness::PatternAt(x, 250)) << x;

  harness_.Move(450, 400);
  EXPECT_EQ(CursorWidth(window().cursor()), 32) << "the drawing cross";
  ChooseTool(Tool::kMosaic);
  ChooseSize(4);
  harness_.Move(450, 400);
  EXPECT_EQ(CursorWidth(window().cursor()), 81) << "the brush of the largest mosaic";
  harness_.Move(100, 100);
  EXPECT_EQ(window().cursor(), LoadCursorW(nullptr, IDC_ARROW)) << "outside the selection";
}

TEST_F(ToolsTest, TheActiveToolClickedAgainSwitchesItOff) {
  ChooseTool(Tool::kEllipse);
  ChooseTool(Tool::kEllipse);
  EXPECT_EQ(window().state(), State::kSelected) << "without shapes the selection can change";
  harness_.Key(VK_RIGHT);
  EXPECT_EQ(window().selection().left, kSelection.left + 1);
  ChooseTool(Tool::kEllipse);
  harness_.Drag({300, 200}, {400, 300});
  ChooseTool(Tool::kEllipse);
  EXPECT_EQ(window().state(), State::kAnnotated) << "with shapes it stays frozen";
  harness_.Key(VK_RIGHT);
  EXPECT_EQ(window().selection().left, kSelection.left + 1);
}

// Typing: the box grows with the text, recolours at once, stops 3 pixels inside the
// selection, and a click only ends it.
TEST_F(ToolsTest, TextBoxGrowsRecoloursAndEndsOnAClick) {
  ChooseTool(Tool::kText);
  harness_.Click(300, 300);
  ASSERT_NE(window().edit(), nullptr);
  EXPECT_EQ(GetDlgCtrlID(window().edit()), 1000);
  EXPECT_EQ(GetWindowLongW(window().edit(), GWL_STYLE) & 0x7FFFFFFF, 0x50001004);
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window().edit(), WM_GETFONT, 0, 0)), sizeof(font),
             &font);
  EXPECT_EQ(font.lfHeight, -MulDiv(12, GetDeviceCaps(window().mem_dc(), LOGPIXELSY), 72));
  const LONG empty_width = EditRect().right - EditRect().left;
  Type(L"Hello");
  EXPECT_GT(EditRect().right - EditRect().left, empty_width) << "grows with the text";
  EXPECT_EQ(window().current_drawing()->points.back().x, EditRect().right);

  ChooseColor(13);
  EXPECT_EQ(window().current_drawing()->color, kBlue) << "the text shape, at once";
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(harness_.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(window().edit()));
  EXPECT_EQ(GetTextColor(dc), kBlue) << "the box, at once";
  DeleteDC(dc);
  EXPECT_EQ(GetFocus(), window().edit()) << "typing goes on";

  Type(std::wstring(30, L'W'));
  EXPECT_EQ(EditRect().right, kSelection.right - 3) << "stops 3 pixels inside the edge";

  harness_.Click(600, 450);
  EXPECT_EQ(window().edit(), nullptr) << "the click only ends the text";
  EXPECT_EQ(window().shape_count(), 1u);
  harness_.Click(600, 450);
  ASSERT_NE(window().edit(), nullptr) << "the next click places a new box";
  harness_.Click(600, 450);
  EXPECT_EQ(window().shape_count(), 1u) << "an empty text leaves nothing";
}

// A click at the selection's bottom-right corner still gives a box to type into.
TEST_F(ToolsTest, TextBoxAtTheCornerFitsInsideTheSelection) {
  ChooseTool(Tool::kText);
  harness_.Click(kSelection.right - 1, kSelection.bottom - 1);
  ASSERT_NE(window().edit(), nullptr);
  RECT box = EditRect();
  EXPECT_LE(box.right, kSelection.right - 3);
  EXPECT_LE(box.bottom, kSelection.bottom - 3);
  EXPECT_GE(box.bottom - box.top, 20);
  Type(L"xx");
  box = EditRect();
  EXPECT_GT(box.right - box.left, 20) << "room to grow for the typed text";
  EXPECT_LE(box.right, kSelection.right - 3);
  // The box takes no more than a text keeps, so what shows is what is kept.
  EXPECT_EQ(SendMessageW(window().edit(), EM_GETLIMITTEXT, 0, 0), 10000);
  harness_.Click(400, 300);
  ASSERT_EQ(window().shape_count(), 1u) << "what was typed is kept";
}

TEST_F(ToolsTest, DoubleClickWhileTypingCopiesTheText) {
  testing_support::ClearClipboard();
  ChooseTool(Tool::kText);
  harness_.Click(300, 300);
  Type(L"HHHH");
  harness_.DoubleClick(500, 400);
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  const auto picture = testing_support::ClipboardPicture::Read();
  ASSERT_EQ(picture.width, kSelection.right - kSelection.left);
  bool red = false;
  for (int y = 300; y < 320 && !red; ++y) {
    for (int x = 300; x < 340 && !red; ++x)
      red = picture.Pixel(x - kSelection.left, y - kSelection.top) == kRed;
  }
  EXPECT_TRUE(red) << "the text, in the text tool's red, is in the copy";
}

// Ctrl+Z takes back the last shape, or the text being typed; Ctrl+Y puts it back until a new
// shape is drawn.
TEST_F(ToolsTest, UndoAndRedo) {
  ChooseTool(Tool::kRectangle);
  harness_.Drag({300, 200}, {400, 300});
  harness_.Drag({500, 200}, {600, 300});
  CtrlKey('Z');
  EXPECT_EQ(window().shape_count(), 1u);
  EXPECT_EQ(harness_.FrameAt(500, 250), CaptureHarness::PatternAt(500, 250)) << "repainted";
  CtrlKey('Y');
  EXPECT_EQ(window().shape_count(), 2u);
  EXPECT_NE(harness_.FrameAt(500, 250), CaptureHarness::PatternAt(500, 250));
  CtrlKey('Z');
  harness_.Drag({300, 400}, {400, 500});
  CtrlKey('Y');
  EXPECT_EQ(window().shape_count(), 2u) << "a new shape ends redo";

  ChooseTool(Tool::kText);
  harness_.Click(600, 400);
  Type(L"typed");
  {
    ScopedCtrlKey ctrl;
    SendMessageW(window().edit(), WM_KEYDOWN, 'Z', 0);
  }
  EXPECT_EQ(window().edit(), nullptr) << "Ctrl+Z in the box takes the text back";
  EXPECT_EQ(window().shape_count(), 2u);
  CtrlKey('Y');
  ASSERT_EQ(window().shape_count(), 3u);
}

// Typed near the selection's bottom-right corner, the text is all kept: the box moves left
// and up, wraps and grows. Only a full selection refuses a character.
TEST_F(ToolsTest, TypedTextIsKeptUntilTheSelectionIsFull) {
  ChooseTool(Tool::kText);
  harness_.Click(kSelection.right - 1, kSelection.bottom - 1);
  ASSERT_NE(window().edit(), nullptr);
  std::wstring typed;
  for (int i = 0; i < 60; ++i)
    typed += L"word" + std::to_wstring(i) + L" ";
  Type(typed);
  EXPECT_EQ(EditText(), typed) << "nothing dropped";
  RECT box = EditRect();
  EXPECT_GE(box.left, kSelection.left);
  EXPECT_GE(box.top, kSelection.top);
  EXPECT_LE(box.right, kSelection.right - 3);
  EXPECT_LE(box.bottom, kSelection.bottom - 3);
  EXPECT_LT(box.left, kSelection.right - 300) << "moved left as it grew";
  EXPECT_LT(box.top, kSelection.bottom - 100) << "and up";

  const std::wstring more(2500, L'x');
  Type(more);
  const std::wstring kept = EditText();
  EXPECT_LT(kept.size(), typed.size() + more.size()) << "a full selection refuses";
  EXPECT_EQ(kept.substr(0, typed.size()), typed);
  box = EditRect();
  EXPECT_EQ(box.left, kSelection.left);
  EXPECT_EQ(box.top, kSelection.top);
  harness_.Click(400, 300);
  EXPECT_EQ(window().shape_count(), 1u);
}

// With the text tool chosen, the first click of a double click opens a box and the second
// lands on it: the selection is copied all the same, without the empty box.
TEST_F(ToolsTest, DoubleClickWithTheTextToolCopies) {
  testing_support::ClearClipboard();
  ChooseTool(Tool::kText);
  harness_.Click(300, 300);
  ASSERT_NE(window().edit(), nullptr);
  SendMessageW(window().edit(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_TRUE(testing_support::WaitForQuitMessage()) << "copied and ended";
  const auto picture = testing_support::ClipboardPicture::Read();
  ASSERT_EQ(picture.width, kSelection.right - kSelection.left);
  EXPECT_EQ(picture.Pixel(100, 100), CaptureHarness::PatternAt(300, 250));
}

// However the text box closes, the keys are the capture window's again: Esc, Ctrl+S and the
// arrows must not go to a box that is gone.
TEST_F(ToolsTest, KeysReachTheSessionAfterTheTextBoxCloses) {
  enum class Closing { kClickElsewhere, kOtherTool, kUndo };
  for (const Closing closing : {Closing::kClickElsewhere, Closing::kOtherTool, Closing::kUndo}) {
    SCOPED_TRACE(static_cast<int>(closing));
    ChooseTool(Tool::kText);
    harness_.Click(300, 300);
    ASSERT_EQ(GetFocus(), window().edit());
    Type(L"ab");
    switch (closing) {
      case Closing::kClickElsewhere:
        harness_.Click(600, 450);
        break;
      case Closing::kOtherTool:
        ChooseTool(Tool::kArrow);
        break;
      case Closing::kUndo: {
        ScopedCtrlKey ctrl;
        SendMessageW(window().edit(), WM_KEYDOWN, 'Z', 0);
        break;
      }
    }
    EXPECT_EQ(window().edit(), nullptr);
    EXPECT_EQ(GetFocus(), harness_.hwnd()) << "the keyboard is the session's again";
    // Another tool, or none after the arrow: the next round's text tool is chosen afresh.
    ChooseTool(Tool::kArrow);
  }
}

// The undo history belongs to one selection: a new selection drops it, and neither undo nor
// redo acts while a selection is made or resized.
TEST_F(ToolsTest, RedoNeverPutsShapesOnASelectionThatIsGone) {
  ChooseTool(Tool::kRectangle);
  harness_.Drag({300, 200}, {400, 300});
  ChooseTool(Tool::kRectangle);
  CtrlKey('Z');
  ASSERT_EQ(window().state(), State::kSelected);
  // A resize drag from the bottom-right handle: redo waits for its end.
  harness_.Move(kSelection.right, kSelection.bottom);
  harness_.Down(kSelection.right, kSelection.bottom);
  harness_.Move(kSelection.right + 10, kSelection.bottom + 10);
  CtrlKey('Y');
  EXPECT_EQ(window().shape_count(), 0u);
  EXPECT_EQ(window().state(), State::kResizing);
  harness_.Up(kSelection.right + 10, kSelection.bottom + 10);

  harness_.Down(50, 50);
  harness_.Move(120, 120);
  CtrlKey('Y');
  EXPECT_EQ(window().shape_count(), 0u) << "not while a new selection is made";
  harness_.Up(120, 120);
  CtrlKey('Y');
  EXPECT_EQ(window().shape_count(), 0u) << "nor on the new selection";
  EXPECT_EQ(window().state(), State::kSelected);
  EXPECT_NE(window().toolbar(), nullptr);
  EXPECT_TRUE(IsWindowVisible(toolbar().widget()->GetHwnd()));
}

// A mouse message that reaches the capture window where a pop-up lies (the window system
// stacked the capture window over it) is the pop-up's: the click on the copy button copies.
TEST_F(ToolsTest, AClickThatReachesTheCaptureWindowOverAPopUpGoesToThePopUp) {
  testing_support::ClearClipboard();
  ChooseTool(Tool::kRectangle);
  const dui::Rectangle copy = toolbar().button(Toolbar::Command::kDone)->GetScreenBounds();
  POINT point = {copy.x + 12, copy.y + 12};
  ScreenToClient(harness_.hwnd(), &point);
  harness_.Click(point.x, point.y);
  EXPECT_TRUE(testing_support::WaitForQuitMessage()) << "copied and ended";
  EXPECT_EQ(testing_support::ClipboardPicture::Read().width, kSelection.right - kSelection.left);
}

// (Desktop, selection, toolbar size) -> where the toolbar's top-right corner hangs, and
// whether the picker opens above it. The desktops: one 1920 x 1080 monitor; a smaller one
// left of it and lower; one above it, of another width.
TEST(ToolbarPlacementTest, UnderAboveOrInsideTheSelectionOnOneMonitor) {
  const base::DesktopGeometry one({0, 0, 1920, 1080}, {{0, 0, 1920, 1080}});
  const base::DesktopGeometry left_lower({-1280, 0, 1920, 1080},
                                         {{0, 0, 1920, 1080}, {-1280, 56, 0, 1080}});
  const base::DesktopGeometry above({0, -900, 1920, 1080},
                                    {{0, 0, 1920, 1080}, {1000, -900, 2600, 0}});
  const struct {
    const char* name;
    const base::DesktopGeometry& desktop;
    RECT selection;
    SIZE toolbar;
    ToolbarPlacement expected;
  } cases[] = {
      {"under", one, {100, 100, 500, 400}, {354, 45}, {500, 405, false}},
      {"kept off the left edge", one, {0, 100, 200, 400}, {354, 45}, {354, 405, false}},
      {"the layout without save", one, {0, 100, 200, 400}, {310, 45}, {310, 405, false}},
      {"above, room for the picker", one, {100, 600, 500, 1075}, {354, 45}, {500, 552, true}},
      {"inside, under the top", one, {100, 20, 500, 1080}, {354, 45}, {500, 23, false}},
      {"above, no room for the picker", one, {100, 60, 500, 1080}, {354, 45}, {500, 12, false}},
      {"under, the picker above", one, {100, 600, 500, 1000}, {354, 45}, {500, 1005, true}},
      // At the left monitor's bottom edge: above, on that monitor.
      {"above on the left monitor",
       left_lower,
       {-900, 500, -300, 1070},
       {354, 45},
       {-300, 452, true}},
      // Off the left monitor's left edge, not the desktop's.
      {"kept off the left monitor's edge",
       left_lower,
       {-1280, 300, -1100, 500},
       {354, 45},
       {-1280 + 354, 505, false}},
      // Inside, under the top of the lower left monitor: the desktop goes higher beside it.
      {"inside under a lower monitor's top",
       left_lower,
       {-900, 60, -300, 1080},
       {354, 45},
       {-300, 63, false}},
      // From the primary monitor's top across the area above the lower left monitor: inside,
      // under that monitor's top.
      {"inside under the monitor's top",
       left_lower,
       {-900, 10, -300, 1080},
       {354, 45},
       {-300, 59, false}},
      // Its right edge on the right monitor, its bottom-right corner over the gap below it.
      {"kept on the upper monitor", above, {1500, -800, 2500, -10}, {354, 45}, {2500, -848, true}},
      // It stays on the selection's monitor, also where another one goes on below it.
      {"above rather than across two monitors",
       above,
       {1100, -400, 1500, -20},
       {354, 45},
       {1500, -448, true}},
      {"above rather than on the monitor below",
       above,
       {1100, -400, 1500, -5},
       {354, 45},
       {1500, -448, true}},
      {"under, on the lower monitor", above, {1100, 100, 1500, 300}, {354, 45}, {1500, 305, false}},
  };
  for (const auto& c : cases) {
    const ToolbarPlacement placement = PlaceToolbarBeside(c.selection, c.toolbar, c.desktop, 49);
    EXPECT_EQ(placement.x, c.expected.x) << c.name;
    EXPECT_EQ(placement.y, c.expected.y) << c.name;
    EXPECT_EQ(placement.picker_above, c.expected.picker_above) << c.name;
  }
}

TEST(ToolbarPlacementTest, FeedbackSessionsGetTheNarrowToolbarAtItsPlace) {
  CaptureHarness harness;
  harness.window().SetLaunchSourceForTesting(LaunchSource::kFeedback);
  harness.Drag({100, 600}, {300, 1075});
  ASSERT_NE(harness.window().toolbar(), nullptr);
  RECT toolbar = {};
  GetWindowRect(harness.window().toolbar()->widget()->GetHwnd(), &toolbar);
  EXPECT_EQ(toolbar.left, 0);
  EXPECT_EQ(toolbar.right, Toolbar::kWidthWithoutSave) << "kept off the left edge";
  EXPECT_EQ(toolbar.top, 600 - Toolbar::kHeight - 3) << "above the selection";
  EXPECT_TRUE(harness.window().toolbar()->picker_above());
}

// (Origin, text width, lines) -> the box, in a selection (100, 100)-(500, 300), with lines
// 20 pixels high.
// A text in a font ten pixels wide and twenty high, `chars` characters on each of its
// `lines` lines, wrapping anywhere.
struct FixedWidthText : EditTextMetrics {
  FixedWidthText(int chars, int lines) : chars(chars), lines(lines) {}
  int LineHeight() const override { return 20; }
  SIZE Unwrapped() const override { return {10 * chars, lines}; }
  int LinesWrappedAt(int width) const override {
    return lines * ((10 * chars + width - 1) / std::max(width, 1));
  }
  int chars;
  int lines;
};

// (Origin, text) -> the box in a selection (100, 100)-(500, 300): it grows with the text,
// moves left or up where it would pass the edges, wraps at the selection's width, and is
// refused only when the selection is full.
TEST(EditBoxLayoutTest, GrowsMovesAndWrapsWithinTheSelection) {
  const RECT selection = {100, 100, 500, 300};
  const struct {
    POINT origin;
    int chars;
    int lines;
    std::optional<RECT> expected;
  } cases[] = {
      {{200, 150}, 0, 1, RECT{200, 150, 220, 200}},   // an empty box: 20 wide, two lines
      {{200, 150}, 10, 3, RECT{200, 150, 320, 240}},  // three lines and the spare one
      {{450, 150}, 10, 1, RECT{377, 150, 497, 200}},  // moved left, 3 pixels inside the edge
      {{200, 280}, 10, 3, RECT{200, 207, 320, 297}},  // moved up
      {{200, 150}, 50, 1, RECT{100, 150, 497, 220}},  // wrapped in two at the selection's width
      {{499, 299}, 0, 1, RECT{457, 247, 477, 297}},   // the corner: moved back to fit
      {{200, 150}, 10, 9, RECT{200, 100, 320, 297}},  // nine lines, no room for a spare one
      {{200, 150}, 10, 10, std::nullopt},             // ten lines do not fit
  };
  for (const auto& c : cases) {
    const std::optional<RECT> box =
        LayOutEditBox(c.origin, FixedWidthText(c.chars, c.lines), selection);
    ASSERT_EQ(box.has_value(), c.expected.has_value()) << c.chars << " x " << c.lines;
    if (box) {
      EXPECT_TRUE(EqualRect(&*box, &*c.expected))
          << c.chars << " x " << c.lines << ": " << box->left << "," << box->top << ","
          << box->right << "," << box->bottom;
    }
  }
}

}  // namespace
