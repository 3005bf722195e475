// Roads whose result must never be wrong, lost or unreported: a file name past the old
// 259-character limit, a place that cannot be written, a double click with the text tool.
// pictor.exe driven with the real mouse and keyboard; the file, the clipboard and the
// program's own message checked.
#include <gtest/gtest.h>

#include <string>

#include "base/gdiplus.h"
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

using e2e::ToolbarDriver;
using testing_support::ClipboardPicture;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::SaveDialogDriver;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr RECT kWindow = {300, 200, 1000, 700};
constexpr wchar_t kSaveMessageTitle[] = L"保存截图";

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

// The text of the program's message box, once it shows.
std::wstring WaitForMessageText(HWND* box) {
  std::wstring text;
  (void)WaitUntil([&] {
    *box = FindWindowW(L"#32770", kSaveMessageTitle);
    wchar_t buffer[1024] = {};
    if (!*box || !GetDlgItemTextW(*box, 0xFFFF, buffer, 1024))
      return false;
    text = buffer;
    return true;
  });
  return text;
}

class ResultsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Xdo::MoveMouse(1900, 1060));
    testing_support::ClearClipboard();
    ASSERT_TRUE(pattern_.WaitUntilShown());
  }

  // Starts a session and selects the pattern window with one click.
  void StartAndSelect(PictorSession& session, ToolbarDriver& toolbar) {
    ASSERT_TRUE(session.WaitForCaptureWindow());
    ASSERT_TRUE(Xdo::MoveMouse(650, 450));
    ASSERT_TRUE(e2e::ShowsOnScreen(kWindow.left - 1, 450, RGB(255, 139, 49)));
    ASSERT_TRUE(Xdo::Click(650, 450));
    ASSERT_TRUE(toolbar.WaitUntilShown());
  }

  PatternWindow pattern_{kWindow.left, kWindow.top, kWindow.right - kWindow.left,
                         kWindow.bottom - kWindow.top};
};

// A name of 240 letters in a folder: written whole, and the session ends as after any save.
TEST_F(ResultsTest, AFileNamePastTheOldLimitIsWritten) {
  testing_support::ScopedTempFolder folder;
  const std::wstring path = folder.path() + std::wstring(240, L'n') + L".png";
  ASSERT_GT(path.size(), 259u);
  PictorSession session;
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(StartAndSelect(session, toolbar));
  {
    SaveDialogDriver driver(SaveDialogDriver::Answer::kTypePath, Narrow(path));
    ASSERT_TRUE(session.PressKeys("ctrl+s"));
    driver.Finish();
    EXPECT_TRUE(driver.dialog_seen());
  }
  ASSERT_TRUE(session.WaitForExit(30000)) << "the balloon ends the session";
  EXPECT_EQ(session.exit_code(), 0);
  Gdiplus::Bitmap saved((L"\\\\?\\" + path).c_str());
  ASSERT_EQ(saved.GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(static_cast<LONG>(saved.GetWidth()), kWindow.right - kWindow.left);
  Gdiplus::Color pixel;
  saved.GetPixel(10, 10, &pixel);
  EXPECT_EQ(RGB(pixel.GetR(), pixel.GetG(), pixel.GetB()), PatternWindow::PatternAt(10, 10));
}

// A place that cannot be written (the Linux side's /proc, under the drive that maps the
// root): a message names the file and the reason, no balloon claims it, and once the message
// is closed the session goes on as before, toolbar and all.
TEST_F(ResultsTest, ASaveThatFailsSaysSoAndTheSessionGoesOn) {
  const std::wstring path = L"Z:\\proc\\pictor-shot.png";
  PictorSession session;
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(StartAndSelect(session, toolbar));
  const RECT bar = toolbar.rect();
  std::vector<COLORREF> face;
  ASSERT_TRUE(WaitUntil([&] {
    return testing_support::IsPainted(
        face = testing_support::ScreenRow(bar.left, bar.right, bar.top + 23));
  }));
  {
    SaveDialogDriver driver(SaveDialogDriver::Answer::kTypePath, Narrow(path));
    ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kSave));
    driver.Finish();
  }
  HWND box = nullptr;
  const std::wstring message = WaitForMessageText(&box);
  ASSERT_NE(box, nullptr) << "a message says the save failed";
  EXPECT_NE(message.find(path), std::wstring::npos) << "it names the file";
  EXPECT_GT(message.size(), path.size() + 12) << "and the reason";
  EXPECT_EQ(session.process().FindVisibleWindow(&testing_support::IsBalloon), nullptr);
  ASSERT_TRUE(Xdo::Focus(box));
  ASSERT_TRUE(Xdo::Key("Return"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(session.process().IsRunning()) << "the session goes on";
  EXPECT_TRUE(WaitUntil([&] {
    return testing_support::ScreenRow(bar.left, bar.right, bar.top + 23) == face;
  })) << "the toolbar shows as before";
  ASSERT_TRUE(session.PressKeys("Escape"));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);
}

// With the text tool chosen, a double click in the selection copies it, without the box the
// first click opened.
TEST_F(ResultsTest, ADoubleClickWithTheTextToolCopies) {
  PictorSession session;
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(StartAndSelect(session, toolbar));
  ASSERT_TRUE(toolbar.ChooseTool(Tool::kText));
  ASSERT_TRUE(Xdo::DoubleClick(600, 450));
  ASSERT_TRUE(session.WaitForExit()) << "the double click copies and ends the session";
  EXPECT_EQ(session.exit_code(), 0);
  const ClipboardPicture picture = ClipboardPicture::Read();
  ASSERT_EQ(picture.width, kWindow.right - kWindow.left);
  ASSERT_EQ(picture.height, kWindow.bottom - kWindow.top);
  for (const POINT at : {POINT{300, 250}, POINT{305, 255}, POINT{320, 262}}) {
    EXPECT_EQ(picture.Pixel(at.x, at.y), PatternWindow::PatternAt(at.x, at.y))
        << "no box where the first click was, at " << at.x << ", " << at.y;
  }
}

}  // namespace
