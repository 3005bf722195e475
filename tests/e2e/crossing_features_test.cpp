// Roads that cross two features at once, as a person takes them: a dialog during a drag, a
// click on the toolbar while its picker and tooltip are up, the keyboard after the text box,
// the balloon left from its close button. pictor.exe driven with the real mouse and
// keyboard; each step checked on the screen and in the windows it shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/toolbar_driver.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/desktop_grab.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/save_dialog_driver.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace {

using e2e::ScreenHas;
using e2e::ShowsOnScreen;
using e2e::ToolbarDriver;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr COLORREF kOrange = RGB(255, 139, 49);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr wchar_t kSaveDialogTitle[] = L"保存图片";

bool SameRect(const RECT& a, const RECT& b) {
  return EqualRect(&a, &b) != FALSE;
}

class CrossingFeaturesTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Xdo::MoveMouse(1900, 1060));
    testing_support::ClearClipboard();
    ASSERT_TRUE(pattern_.WaitUntilShown());
  }

  PatternWindow pattern_{300, 200, 700, 500};
};

TEST_F(CrossingFeaturesTest, NoKeyOrClickIsLostAcrossADialogThePopUpsAndTheTextBox) {
  PictorSession session;
  ASSERT_TRUE(session.WaitForCaptureWindow());
  HWND capture = session.capture_window();
  RECT covered = {};
  GetWindowRect(capture, &covered);
  ToolbarDriver toolbar;
  ASSERT_TRUE(Xdo::Drag(300, 200, 1000, 700));
  ASSERT_TRUE(toolbar.WaitUntilShown());
  const auto face_of = [](const RECT& bar) {
    return testing_support::ScreenRow(bar.left, bar.right, bar.top + 23);
  };
  std::vector<COLORREF> face;
  ASSERT_TRUE(
      WaitUntil([&] { return testing_support::IsPainted(face = face_of(toolbar.rect())); }));

  // A save dialog opened from the keyboard while the selection is dragged, the button
  // released while it is up, the dialog cancelled: the drag ended where it was.
  ASSERT_TRUE(Xdo::Run("mousemove 600 400 mousedown 1 mousemove 630 420 mousemove 650 450"));
  ASSERT_TRUE(session.PressKeys("ctrl+s"));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindWindowW(nullptr, kSaveDialogTitle)); }));
  ASSERT_TRUE(Xdo::Run("mouseup 1"));
  ASSERT_TRUE(Xdo::Focus(dialog));
  ASSERT_TRUE(Xdo::Key("Escape"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  const RECT moved = {350, 250, 1050, 750};
  EXPECT_TRUE(WaitUntil([&] { return toolbar.rect().right == moved.right; }))
      << "the toolbar under the moved selection";
  const RECT bar = toolbar.rect();
  EXPECT_TRUE(WaitUntil([&] { return face_of(bar) == face; })) << "the toolbar shows again";
  ASSERT_TRUE(Xdo::MoveMouse(800, 600));
  EXPECT_TRUE(ShowsOnScreen(moved.left, 500, kOrange)) << "the frame where the drag ended";

  // A tool's picker open and the tooltip up over another button: the first click on that
  // button counts.
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kRectangle));
  const POINT text_button = toolbar.ButtonMiddle(Toolbar::SlotOf(Tool::kText));
  ASSERT_TRUE(Xdo::MoveMouse(text_button.x, text_button.y));
  EXPECT_TRUE(WaitUntil([&] {
    return e2e::ShownWindowOfHeight(session.capture_window(), 22) != nullptr;
  })) << "the tooltip";
  EXPECT_TRUE(SameRect(toolbar.rect(), bar)) << "the selection does not follow the mouse";
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kText)) << "the text tool's picker opens";

  // The text box takes the keys while it is open and gives them back when it closes.
  ASSERT_TRUE(Xdo::Click(500, 400));
  ASSERT_TRUE(WaitUntil([&] { return FindWindowExW(capture, nullptr, L"Edit", nullptr); }));
  ASSERT_TRUE(Xdo::Focus(capture));
  ASSERT_TRUE(Xdo::Type("ab"));
  const RECT text_area = {500, 400, 560, 440};
  EXPECT_TRUE(WaitUntil([&] { return ScreenHas(text_area, kRed); })) << "the text as typed";
  ASSERT_TRUE(Xdo::Click(700, 600));
  ASSERT_TRUE(WaitUntil([&] { return !FindWindowExW(capture, nullptr, L"Edit", nullptr); }));
  ASSERT_TRUE(Xdo::Key("ctrl+z"));
  EXPECT_TRUE(WaitUntil([&] { return !ScreenHas(text_area, kRed); })) << "Ctrl+Z took it back";
  RECT now = {};
  GetWindowRect(capture, &now);
  EXPECT_TRUE(SameRect(now, covered)) << "the capture window covers the screen";
  ASSERT_TRUE(Xdo::Key("Escape"));
  ASSERT_TRUE(session.WaitForExit()) << "Esc ends the session";
  EXPECT_EQ(session.exit_code(), 0);
}

// The balloon holds while the mouse is on it, also on its close cross, and goes once the
// mouse leaves it from there: a balloon that stayed would keep the process, and with it the
// single-instance guard, for good.
TEST_F(CrossingFeaturesTest, TheBalloonLeftFromItsCloseCrossFadesAndTheSessionEnds) {
  testing_support::ScopedTempFolder folder;
  const std::wstring path = folder.path() + L"balloon.png";
  PictorSession session;
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ASSERT_TRUE(Xdo::Drag(300, 200, 1000, 700));
  ToolbarDriver toolbar;
  ASSERT_TRUE(toolbar.WaitUntilShown());
  {
    testing_support::SaveDialogDriver driver(testing_support::SaveDialogDriver::Answer::kTypePath,
                                             std::string(path.begin(), path.end()));
    ASSERT_TRUE(session.PressKeys("ctrl+s"));
    driver.Finish();
  }
  HWND balloon = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (balloon = session.process().FindVisibleWindow(&testing_support::IsBalloon));
  }));
  RECT rect = {};
  GetWindowRect(balloon, &rect);
  const POINT cross = {rect.left + 281, rect.top + 17};
  ASSERT_TRUE(Xdo::MoveMouse(rect.left + 100, rect.top + 60));
  ASSERT_TRUE(Xdo::MoveMouse(cross.x, cross.y));
  // Held for as long as the mouse is there: longer than a fade and the hold.
  EXPECT_FALSE(WaitUntil([&] { return !session.process().IsRunning(); }, 2500));
  ASSERT_TRUE(Xdo::Run("mousemove " + std::to_string(cross.x) + " " +
                       std::to_string(rect.bottom + 200) + " mousemove 1900 1060"));
  EXPECT_TRUE(session.WaitForExit()) << "the balloon faded and ended the session";
  EXPECT_EQ(session.exit_code(), 0);
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
