// A capture as a person takes it with the toolbar: pictor.exe driven with the real mouse and
// keyboard, tools, colours and sizes chosen on the real toolbar and picker, the result read
// from the clipboard or the saved file.
#include <gtest/gtest.h>

#include <string>

#include "base/gdiplus.h"
#include "tests/e2e/toolbar_driver.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/save_dialog_driver.h"
#include "tests/support/screen_grab.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using e2e::kBlackIndex;
using e2e::kBlueIndex;
using e2e::kLarge;
using e2e::kLargestMosaic;
using e2e::kLimeIndex;
using e2e::kRedIndex;
using e2e::kSmall;
using e2e::ScreenHas;
using e2e::ScreenPixel;
using e2e::ShowsOnScreen;
using e2e::Stroke;
using e2e::ToolbarDriver;
using testing_support::ClipboardPicture;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr RECT kWindow = {300, 200, 1000, 700};
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class AnnotateSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Xdo::MoveMouse(1900, 1060));
    testing_support::ClearClipboard();
    ASSERT_TRUE(pattern_.WaitUntilShown());
  }

  // Starts pictor.exe and selects the pattern window with one click.
  void StartAndSelectTheWindow(PictorSession& session) {
    ASSERT_TRUE(session.WaitForCaptureWindow());
    ASSERT_TRUE(Xdo::MoveMouse(650, 450));
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(kWindow.left - 1, 450) == RGB(255, 139, 49); }))
        << "the window under the mouse is framed";
    ASSERT_TRUE(Xdo::Click(650, 450));
  }

  PatternWindow pattern_{kWindow.left, kWindow.top, kWindow.right - kWindow.left,
                         kWindow.bottom - kWindow.top};
};

// Where the pattern window shows (x, y) of the screen.
COLORREF PatternOnScreen(int x, int y) {
  return PatternWindow::PatternAt(x - kWindow.left, y - kWindow.top);
}

// Every pixel of a 10 x 10 mosaic block is the same.
bool IsOneBlock(const ClipboardPicture& picture, int left, int top) {
  for (int y = top; y < top + 10; ++y) {
    for (int x = left; x < left + 10; ++x) {
      if (picture.Pixel(x, y) != picture.Pixel(left, top))
        return false;
    }
  }
  return true;
}

bool HasColorIn(const ClipboardPicture& picture, const RECT& area, COLORREF color) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (picture.Pixel(x, y) == color)
        return true;
    }
  }
  return false;
}

// The whole road: nudge, five tools in chosen colours and sizes, an undone shape, a typed
// text, the copy button. Every step shows on the screen; the copy holds exactly what showed.
TEST_F(AnnotateSessionTest, ShapesAndTextInChosenColoursAreCopiedWithoutTheUndoneOne) {
  PictorSession session({L"floatwin"});
  ASSERT_NO_FATAL_FAILURE(StartAndSelectTheWindow(session));
  ToolbarDriver toolbar;
  ASSERT_TRUE(toolbar.WaitUntilShown()) << "the toolbar appears once a window is selected";
  EXPECT_EQ(toolbar.rect().right, kWindow.right) << "under the selection's right edge";
  EXPECT_EQ(toolbar.rect().top, kWindow.bottom + 5);

  // Before a tool is chosen the arrow keys move the selection, and the toolbar with it.
  ASSERT_TRUE(session.PressKeys("Right"));
  ASSERT_TRUE(WaitUntil([&] { return toolbar.rect().right == kWindow.right + 1; }));
  const RECT selection = {kWindow.left + 1, kWindow.top, kWindow.right + 1, kWindow.bottom};

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kRectangle));
  ASSERT_TRUE(toolbar.ChooseColor(kRedIndex));
  ASSERT_TRUE(toolbar.ChooseSize(kLarge));
  ASSERT_TRUE(Stroke(350, 250, 500, 350));
  EXPECT_TRUE(ShowsOnScreen(351, 300, kRed)) << "a five-pixel red edge";

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kEllipse));
  ASSERT_TRUE(toolbar.ChooseColor(kBlueIndex));
  ASSERT_TRUE(Stroke(550, 250, 700, 350));
  EXPECT_TRUE(ShowsOnScreen(625, 250, kBlue)) << "the top of a blue ellipse";

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kArrow));
  ASSERT_TRUE(toolbar.ChooseColor(kLimeIndex));
  ASSERT_TRUE(Stroke(350, 450, 550, 550));
  EXPECT_TRUE(ShowsOnScreen(400, 475, kLime)) << "the arrow's shaft";

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kMosaic));
  ASSERT_TRUE(toolbar.ChooseSize(kLargestMosaic));
  ASSERT_TRUE(Stroke(760, 300, 900, 300));

  // A shape taken back with Ctrl+Z leaves the screen and the copy.
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kRectangle));
  ASSERT_TRUE(toolbar.ChooseColor(kBlackIndex));
  ASSERT_TRUE(toolbar.ChooseSize(kLarge));
  ASSERT_TRUE(Stroke(760, 550, 900, 650));
  ASSERT_TRUE(ShowsOnScreen(761, 600, kBlack));
  ASSERT_TRUE(session.PressKeys("ctrl+z"));
  EXPECT_TRUE(ShowsOnScreen(761, 600, PatternOnScreen(761, 600))) << "the undone rectangle";
  // With a tool chosen, the arrow keys leave the selection where it is.
  ASSERT_TRUE(session.PressKeys("Left"));

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kText));
  ASSERT_TRUE(toolbar.ChooseColor(kBlueIndex));
  ASSERT_TRUE(Xdo::Click(600, 600));
  ASSERT_TRUE(Xdo::Focus(session.capture_window()));
  ASSERT_TRUE(Xdo::Type("Pictor"));
  EXPECT_TRUE(WaitUntil([] {
    return ScreenHas({600, 600, 660, 625}, kBlue);
  })) << "the typed text shows blue in the edit box";

  ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kDone)) << "copy and finish";
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);

  const ClipboardPicture picture = ClipboardPicture::Read();
  ASSERT_EQ(picture.width, selection.right - selection.left);
  ASSERT_EQ(picture.height, selection.bottom - selection.top);
  auto at = [&](int x, int y) { return picture.Pixel(x - selection.left, y - selection.top); };
  EXPECT_EQ(at(348, 300), kRed) << "five pixels wide, centred on the dragged edge";
  EXPECT_EQ(at(352, 300), kRed);
  EXPECT_EQ(at(354, 300), PatternOnScreen(354, 300));
  EXPECT_EQ(at(625, 250), kBlue);
  EXPECT_EQ(at(400, 475), kLime);
  EXPECT_EQ(at(kWindow.left + 1, 450), PatternOnScreen(kWindow.left + 1, 450))
      << "the copy starts one pixel right of the window, where the arrow key put it";
  // Blocks lie on the screen's 10-pixel grid.
  EXPECT_TRUE(IsOneBlock(picture, 760 - selection.left, 300 - selection.top))
      << "a block of the mosaic";
  EXPECT_FALSE(IsOneBlock(picture, 760 - selection.left, 400 - selection.top))
      << "the pattern below the mosaic";
  EXPECT_EQ(at(761, 600), PatternOnScreen(761, 600)) << "the undone rectangle is not copied";
  EXPECT_TRUE(HasColorIn(
      picture,
      {600 - selection.left, 600 - selection.top, 660 - selection.left, 625 - selection.top},
      kBlue))
      << "the text is committed into the copy";
}

TEST_F(AnnotateSessionTest, CtrlSSavesTheAnnotatedSelection) {
  testing_support::ScopedTempFolder folder;
  const std::wstring path = folder.path() + L"annotated.png";
  PictorSession session({L"floatwin"});
  ASSERT_NO_FATAL_FAILURE(StartAndSelectTheWindow(session));
  ToolbarDriver toolbar;
  ASSERT_TRUE(toolbar.WaitUntilShown());
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kRectangle));
  ASSERT_TRUE(toolbar.ChooseColor(kRedIndex));
  ASSERT_TRUE(toolbar.ChooseSize(kSmall));
  ASSERT_TRUE(Stroke(400, 300, 600, 400));
  ASSERT_TRUE(ShowsOnScreen(400, 350, kRed));

  {
    std::string narrow_path;
    for (wchar_t c : path)
      narrow_path += static_cast<char>(c);
    testing_support::SaveDialogDriver driver(testing_support::SaveDialogDriver::Answer::kTypePath,
                                             narrow_path);
    ASSERT_TRUE(session.PressKeys("ctrl+s"));
  }
  bool balloon = false;
  ASSERT_TRUE(session.WaitForExitSeeing(&testing_support::IsBalloon, &balloon))
      << "the balloon ends the process when it has faded";
  EXPECT_TRUE(balloon);
  EXPECT_EQ(session.exit_code(), 0);
  Gdiplus::Bitmap saved(path.c_str());
  ASSERT_EQ(saved.GetLastStatus(), Gdiplus::Ok);
  ASSERT_EQ(static_cast<LONG>(saved.GetWidth()), kWindow.right - kWindow.left);
  Gdiplus::Color edge;
  saved.GetPixel(400 - kWindow.left, 350 - kWindow.top, &edge);
  EXPECT_EQ(RGB(edge.GetR(), edge.GetG(), edge.GetB()), kRed) << "the one-pixel red edge";
  EXPECT_EQ(ClipboardPicture::Read().width, 0) << "a save copies nothing";
}

TEST_F(AnnotateSessionTest, EscapeWithTheToolbarCancels) {
  PictorSession session({L"floatwin"});
  ASSERT_NO_FATAL_FAILURE(StartAndSelectTheWindow(session));
  ToolbarDriver toolbar;
  ASSERT_TRUE(toolbar.WaitUntilShown());
  ASSERT_TRUE(session.PressKeys("Escape"));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);
  EXPECT_EQ(ClipboardPicture::Read().width, 0);
}

}  // namespace
