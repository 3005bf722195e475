// The window under the mouse becomes the highlighted selection before anything is selected.
#include <gtest/gtest.h>

#include "tests/capture/capture_harness.h"

namespace {

using capture_test::CaptureHarness;
using capture_test::TestWindow;

bool Equal(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

TEST(WindowDetectionTest, ButtonInsideADialogIsFoundRatherThanTheDialog) {
  TestWindow dialog(200, 200, 400, 300);
  HWND button = dialog.AddButton(50, 60, 120, 40);
  RECT button_rect = {};
  GetWindowRect(button, &button_rect);
  CaptureHarness harness;

  harness.Move(button_rect.left + 10, button_rect.top + 10);
  EXPECT_TRUE(Equal(harness.window().selection(), button_rect));
  harness.Move(button_rect.right + 20, button_rect.bottom + 20);
  EXPECT_TRUE(Equal(harness.window().selection(), dialog.rect()));
}

// The windows are read with the picture; a window moved before anything is detected is
// still found where the picture shows it, and so is its button.
TEST(WindowDetectionTest, WindowMovedAfterTheStartIsFoundWhereThePictureShowsIt) {
  TestWindow dialog(200, 200, 400, 300);
  HWND button = dialog.AddButton(50, 60, 120, 40);
  RECT button_rect = {};
  GetWindowRect(button, &button_rect);
  const RECT dialog_rect = dialog.rect();
  CaptureHarness harness;
  SetWindowPos(dialog.hwnd(), nullptr, 700, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  harness.Move(button_rect.left + 10, button_rect.top + 10);
  EXPECT_TRUE(Equal(harness.window().selection(), button_rect));
  harness.Move(dialog_rect.left + 5, dialog_rect.bottom - 5);
  EXPECT_TRUE(Equal(harness.window().selection(), dialog_rect));
  harness.Move(700 + 60, 500 + 80);
  EXPECT_TRUE(Equal(harness.window().selection(), dialog_rect)) << "nothing at the new place";
}

TEST(WindowDetectionTest, WindowPartlyOffScreenIsClippedToTheScreen) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  TestWindow window(width - 100, height - 80, 400, 300);
  CaptureHarness harness;
  harness.Move(width - 50, height - 40);
  const RECT expected = {width - 100, height - 80, width, height};
  EXPECT_TRUE(Equal(harness.window().selection(), expected));
}

TEST(WindowDetectionTest, AreaWithoutAWindowKeepsThePreviousHighlight) {
  TestWindow window(300, 300, 200, 100);
  CaptureHarness harness;
  harness.Move(350, 350);
  ASSERT_TRUE(Equal(harness.window().selection(), window.rect()));
  harness.Move(1500, 900);
  EXPECT_TRUE(Equal(harness.window().selection(), window.rect()));
}

TEST(WindowDetectionTest, HiddenWindowsAreNotFound) {
  TestWindow visible(300, 300, 400, 300);
  TestWindow hidden(350, 350, 100, 100);
  ShowWindow(hidden.hwnd(), SW_HIDE);
  CaptureHarness harness;
  harness.Move(380, 380);
  EXPECT_TRUE(Equal(harness.window().selection(), visible.rect()));
}

TEST(WindowDetectionTest, TheFirstWindowInZOrderWins) {
  TestWindow below(300, 300, 400, 300);
  TestWindow above(350, 350, 100, 100);
  SetWindowPos(above.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CaptureHarness harness;
  harness.Move(380, 380);
  EXPECT_TRUE(Equal(harness.window().selection(), above.rect()));
  harness.Move(650, 550);
  EXPECT_TRUE(Equal(harness.window().selection(), below.rect()));
}

}  // namespace
