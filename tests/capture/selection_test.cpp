// The selection states of the capture window, driven by real window messages.
#include <gtest/gtest.h>

#include "tests/capture/capture_harness.h"
#include "tests/support/wait.h"

namespace {

using capture_test::CaptureHarness;
using capture_test::TestWindow;
using State = SelectionState;

testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
  if (EqualRect(&actual, &expected))
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "(" << actual.left << ", " << actual.top << ", " << actual.right << ", "
         << actual.bottom << ") instead of (" << expected.left << ", " << expected.top << ", "
         << expected.right << ", " << expected.bottom << ")";
}

// Selects (left, top, right, bottom) by dragging from its top-left to its bottom-right.
void Select(CaptureHarness& harness, const RECT& rect) {
  harness.Drag({rect.left, rect.top}, {rect.right, rect.bottom});
}

TEST(SelectionTest, DragInEveryDirectionSelectsTheSpannedRectangle) {
  const struct {
    POINT from;
    POINT to;
  } drags[] = {
      {{100, 50}, {300, 200}},  // down and right
      {{300, 200}, {100, 50}},  // up and left
      {{300, 50}, {100, 200}},  // down and left
      {{100, 200}, {300, 50}},  // up and right
  };
  for (const auto& drag : drags) {
    CaptureHarness harness;
    harness.Move(drag.from.x, drag.from.y);
    harness.Down(drag.from.x, drag.from.y);
    EXPECT_EQ(harness.window().state(), State::kPressed);
    harness.Move(drag.to.x, drag.to.y);
    EXPECT_EQ(harness.window().state(), State::kSelecting);
    harness.Up(drag.to.x, drag.to.y);
    EXPECT_EQ(harness.window().state(), State::kSelected);
    EXPECT_TRUE(SameRect(harness.window().selection(), {100, 50, 300, 200}))
        << "drag from (" << drag.from.x << ", " << drag.from.y << ")";
  }
}

TEST(SelectionTest, ClickOnTheHighlightedWindowSelectsItClippedToTheScreen) {
  TestWindow partly_off_screen(-50, 120, 300, 200);
  CaptureHarness harness;
  harness.Move(100, 200);
  EXPECT_EQ(harness.window().state(), State::kDetecting);
  EXPECT_TRUE(SameRect(harness.window().selection(), {0, 120, 250, 320}));
  harness.Down(100, 200);
  harness.Up(100, 200);
  EXPECT_EQ(harness.window().state(), State::kSelected);
  EXPECT_TRUE(SameRect(harness.window().selection(), {0, 120, 250, 320}));
}

TEST(SelectionTest, ClickOutsideASelectionHighlightsTheWindowThereAtOnce) {
  TestWindow first(100, 100, 200, 150);
  TestWindow second(700, 100, 300, 250);
  CaptureHarness harness;
  harness.Click(150, 150);
  ASSERT_EQ(harness.window().state(), State::kSelected);
  ASSERT_TRUE(SameRect(harness.window().selection(), first.rect()));

  // The button goes down over the second window without a move in between.
  harness.Down(800, 200);
  EXPECT_EQ(harness.window().state(), State::kPressed);
  harness.Up(800, 200);
  EXPECT_EQ(harness.window().state(), State::kDetecting);
  EXPECT_TRUE(SameRect(harness.window().selection(), second.rect()));
}

TEST(SelectionTest, ClickWithNothingHighlightedStaysDetecting) {
  CaptureHarness harness;
  ASSERT_TRUE(IsRectEmpty(&harness.window().selection()));
  harness.Down(400, 400);
  harness.Up(400, 400);
  EXPECT_EQ(harness.window().state(), State::kDetecting);
}

TEST(SelectionTest, PressInsideAndDragMovesTheSelection) {
  CaptureHarness harness;
  Select(harness, {100, 100, 300, 250});
  harness.Down(200, 150);
  EXPECT_EQ(harness.window().state(), State::kMovePressed);
  harness.Up(200, 150);
  EXPECT_EQ(harness.window().state(), State::kMoved);

  harness.Down(200, 150);
  harness.Move(230, 170);
  EXPECT_EQ(harness.window().state(), State::kMoving);
  harness.Move(260, 190);
  harness.Up(260, 190);
  EXPECT_EQ(harness.window().state(), State::kMoved);
  EXPECT_TRUE(SameRect(harness.window().selection(), {160, 140, 360, 290}));
}

TEST(SelectionTest, MovingAgainstAnEdgeKeepsTheSizeAndSlidesAlongIt) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const struct {
    POINT to;
    RECT expected;
  } moves[] = {
      {{-500, 230}, {0, 180, 200, 330}},                        // left
      {{width + 500, 230}, {width - 200, 180, width, 330}},     // right
      {{350, -500}, {250, 0, 450, 150}},                        // top
      {{350, height + 500}, {250, height - 150, 450, height}},  // bottom
      {{-500, -500}, {0, 0, 200, 150}},                         // top-left corner
  };
  for (const auto& move : moves) {
    CaptureHarness harness;
    Select(harness, {200, 150, 400, 300});
    harness.Down(300, 200);
    harness.Move(move.to.x, move.to.y);
    harness.Up(move.to.x, move.to.y);
    EXPECT_TRUE(SameRect(harness.window().selection(), move.expected))
        << "moved to (" << move.to.x << ", " << move.to.y << ")";
  }
}

// Each handle is pressed at the corner or edge midpoint it sits on and moved by (+37, +23):
// that corner or edge follows the mouse, the rest stays.
//
//   TL----T----TR
//   |          |
//   L          R
//   |          |
//   BL----B----BR
TEST(SelectionTest, EachHandleResizesAlongItsAxis) {
  const RECT start = {400, 300, 800, 600};  // centre (600, 450)
  const struct {
    const char* name;
    POINT press;
    RECT expected;
  } handles[] = {
      {"top-left", {400, 300}, {437, 323, 800, 600}},
      {"top-right", {800, 300}, {400, 323, 837, 600}},
      {"bottom-left", {400, 600}, {437, 300, 800, 623}},
      {"bottom-right", {800, 600}, {400, 300, 837, 623}},
      {"left", {400, 450}, {437, 300, 800, 600}},
      {"top", {600, 300}, {400, 323, 800, 600}},
      {"right", {800, 450}, {400, 300, 837, 600}},
      {"bottom", {600, 600}, {400, 300, 800, 623}},
  };
  for (const auto& handle : handles) {
    CaptureHarness harness;
    Select(harness, start);
    harness.Down(handle.press.x, handle.press.y);
    EXPECT_EQ(harness.window().state(), State::kResizePressed) << handle.name;
    harness.Move(handle.press.x + 37, handle.press.y + 23);
    EXPECT_EQ(harness.window().state(), State::kResizing) << handle.name;
    harness.Up(handle.press.x + 37, handle.press.y + 23);
    EXPECT_EQ(harness.window().state(), State::kResized) << handle.name;
    EXPECT_TRUE(SameRect(harness.window().selection(), handle.expected)) << handle.name;
  }
}

TEST(SelectionTest, ResizingPastTheOppositeEdgeFlipsTheSelection) {
  CaptureHarness harness;
  Select(harness, {400, 300, 800, 600});
  harness.Down(400, 450);  // left edge
  harness.Move(900, 460);
  harness.Up(900, 460);
  EXPECT_TRUE(SameRect(harness.window().selection(), {800, 300, 900, 600}));
}

TEST(SelectionTest, ResizedAndMovedSelectionsCanBeGrabbedAgain) {
  CaptureHarness harness;
  Select(harness, {400, 300, 800, 600});
  harness.Down(800, 600);
  harness.Up(800, 600);
  EXPECT_EQ(harness.window().state(), State::kResized);
  harness.Down(600, 450);
  EXPECT_EQ(harness.window().state(), State::kMovePressed);
  harness.Up(600, 450);
  harness.Down(400, 300);
  EXPECT_EQ(harness.window().state(), State::kResizePressed);
  harness.Up(400, 300);
  harness.Down(100, 100);
  EXPECT_EQ(harness.window().state(), State::kPressed) << "outside starts a new selection";
}

TEST(SelectionTest, ArrowKeysNudgeOnlyAnIdleSelection) {
  CaptureHarness harness;
  harness.window().OnArrowKey(VK_RIGHT);
  EXPECT_TRUE(IsRectEmpty(&harness.window().selection())) << "nothing to nudge yet";

  Select(harness, {100, 100, 300, 200});
  const struct {
    int key;
    RECT expected;
  } nudges[] = {
      {VK_RIGHT, {101, 100, 301, 200}},
      {VK_DOWN, {101, 101, 301, 201}},
      {VK_LEFT, {100, 101, 300, 201}},
      {VK_UP, {100, 100, 300, 200}},
  };
  for (const auto& nudge : nudges) {
    harness.window().OnArrowKey(nudge.key);
    EXPECT_EQ(harness.window().state(), State::kSelected);
    EXPECT_TRUE(SameRect(harness.window().selection(), nudge.expected)) << "key " << nudge.key;
  }

  harness.Down(200, 150);  // a move has begun
  harness.window().OnArrowKey(VK_RIGHT);
  EXPECT_TRUE(SameRect(harness.window().selection(), {100, 100, 300, 200}));
  harness.Up(200, 150);
  harness.window().OnArrowKey(VK_LEFT);
  EXPECT_TRUE(SameRect(harness.window().selection(), {99, 100, 299, 200})) << "after a move";
}

TEST(SelectionTest, ArrowKeyAtTheScreenEdgeKeepsTheSelectionOnScreen) {
  CaptureHarness harness;
  Select(harness, {0, 0, 100, 100});
  harness.window().OnArrowKey(VK_LEFT);
  harness.window().OnArrowKey(VK_UP);
  EXPECT_TRUE(SameRect(harness.window().selection(), {0, 0, 100, 100}));
}

// Before the toolbar exists Esc cancels only while detecting; with a selection the toolbar
// exists and takes the key as its cancel command.
TEST(SelectionTest, EscapeCancelsWhileDetectingAndOnceTheToolbarExists) {
  {
    CaptureHarness harness;
    harness.Down(100, 100);
    harness.Key(VK_ESCAPE);
    harness.Move(200, 200);
    harness.Key(VK_ESCAPE);
    EXPECT_FALSE(testing_support::PumpMessages()) << "Esc during a drag does nothing";
    EXPECT_TRUE(harness.alive());
    harness.Up(200, 200);
    ASSERT_NE(harness.window().toolbar(), nullptr);
    harness.Key(VK_ESCAPE);
    EXPECT_TRUE(testing_support::WaitForQuitMessage()) << "Esc with a selection";
    EXPECT_FALSE(harness.alive());
  }
  CaptureHarness harness;
  harness.Key(VK_ESCAPE);
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  EXPECT_FALSE(harness.alive());
}

TEST(SelectionTest, RightClickCancelsInEveryState) {
  // Each entry leaves the session in a different state before the right click.
  const struct {
    State state;
    void (*prepare)(CaptureHarness&);
  } cases[] = {
      {State::kDetecting, [](CaptureHarness& h) { h.Move(50, 50); }},
      {State::kPressed, [](CaptureHarness& h) { h.Down(50, 50); }},
      {State::kSelecting,
       [](CaptureHarness& h) {
         h.Down(50, 50);
         h.Move(90, 90);
       }},
      {State::kSelected,
       [](CaptureHarness& h) {
         Select(h, {50, 50, 200, 200});
       }},
      {State::kMovePressed,
       [](CaptureHarness& h) {
         Select(h, {50, 50, 200, 200});
         h.Down(100, 100);
       }},
      {State::kMoving,
       [](CaptureHarness& h) {
         Select(h, {50, 50, 200, 200});
         h.Down(100, 100);
         h.Move(120, 120);
       }},
      {State::kMoved,
       [](CaptureHarness& h) {
         Select(h, {50, 50, 200, 200});
         h.Click(100, 100);
       }},
      {State::kResizePressed,
       [](CaptureHarness& h) {
         Select(h, {50, 50, 200, 200});
         h.Down(200, 200);
       }},
      {State::kResizing,
       [](CaptureHarness& h) {
         Select(h, {50, 50, 200, 200});
         h.Down(200, 200);
         h.Move(250, 250);
       }},
      {State::kResized,
       [](CaptureHarness& h) {
         Select(h, {50, 50, 200, 200});
         h.Down(200, 200);
         h.Up(200, 200);
       }},
  };
  for (const auto& entry : cases) {
    CaptureHarness harness;
    entry.prepare(harness);
    ASSERT_EQ(harness.window().state(), entry.state);
    harness.RightClick(300, 300);
    EXPECT_TRUE(testing_support::WaitForQuitMessage()) << "state " << static_cast<int>(entry.state);
    EXPECT_FALSE(harness.alive());
  }
}

// When another window takes the mouse during a drag (a dialog opened from the keyboard), the
// drag ends where it is: the selection no longer follows the mouse.
TEST(SelectionTest, ADragEndsWhereItIsWhenAnotherWindowTakesTheMouse) {
  for (const UINT taken_by : {WM_CANCELMODE, WM_CAPTURECHANGED}) {
    CaptureHarness harness;
    Select(harness, {200, 200, 400, 400});
    harness.Down(300, 300);
    harness.Move(320, 310);
    SendMessageW(harness.hwnd(), taken_by, 0, 0);
    EXPECT_EQ(harness.window().state(), State::kMoved);
    EXPECT_NE(GetCapture(), harness.hwnd());
    harness.Move(500, 500);
    EXPECT_TRUE(SameRect(harness.window().selection(), {220, 210, 420, 410}));
  }
}

// The window covers the desktop for the whole session: no move or size from its system
// menu, nor from anyone who asks.
TEST(SelectionTest, TheCaptureWindowStaysOverTheDesktop) {
  CaptureHarness harness;
  RECT desktop = {};
  GetWindowRect(GetDesktopWindow(), &desktop);
  HMENU menu = GetSystemMenu(harness.hwnd(), FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
  SetWindowPos(harness.hwnd(), nullptr, 100, 50, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT window = {};
  GetWindowRect(harness.hwnd(), &window);
  EXPECT_TRUE(SameRect(window, desktop));
}

TEST(SelectionTest, ButtonUpWithoutButtonDownDoesNothing) {
  CaptureHarness harness;
  harness.Up(100, 100);
  EXPECT_EQ(harness.window().state(), State::kDetecting);
}

TEST(SelectionTest, CursorFollowsWhatLiesUnderTheMouse) {
  CaptureHarness harness;
  Select(harness, {400, 300, 800, 600});
  const struct {
    POINT at;
    const wchar_t* cursor;
  } cases[] = {
      {{400, 300}, IDC_SIZENWSE}, {{800, 300}, IDC_SIZENESW}, {{400, 600}, IDC_SIZENESW},
      {{800, 600}, IDC_SIZENWSE}, {{400, 450}, IDC_SIZEWE},   {{800, 450}, IDC_SIZEWE},
      {{600, 300}, IDC_SIZENS},   {{600, 600}, IDC_SIZENS},   {{500, 400}, IDC_SIZEALL},
      {{100, 100}, IDC_ARROW},
  };
  for (const auto& entry : cases) {
    harness.Move(entry.at.x, entry.at.y);
    EXPECT_EQ(harness.window().cursor(), LoadCursorW(nullptr, entry.cursor))
        << "at (" << entry.at.x << ", " << entry.at.y << ")";
  }
}

}  // namespace
