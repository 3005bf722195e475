// The road of one capture as the host suite starts it and a person takes it: pictor.exe
// started by the hot key, driven only by the mouse and keyboard over a desktop of ordinary
// windows, each step checked on the screen, the result on the clipboard or in the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/gdiplus.h"
#include "base/registry.h"
#include "tests/e2e/toolbar_driver.h"
#include "tests/support/child_process.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/save_dialog_driver.h"
#include "tests/support/scoped_record_file.h"
#include "tests/support/scoped_registry_value.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"
#include "toolset/picker_settings.h"

namespace {

using e2e::ScreenHas;
using e2e::ShowsOnScreen;
using e2e::Stroke;
using e2e::ToolbarDriver;
using testing_support::ClipboardPicture;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::ScopedRecordFile;
using testing_support::ScopedRegistryValue;
using testing_support::WaitUntil;
using testing_support::Xdo;

constexpr RECT kWindow = {300, 200, 1000, 700};
constexpr COLORREF kOrange = RGB(255, 139, 49);
constexpr COLORREF kPanel = RGB(0x2E, 0x22, 0x20);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kLinkYellow = RGB(0xFF, 0xCC, 0x00);
constexpr wchar_t kSettingsKey[] = L"software\\velmora";
constexpr wchar_t kFlag[] = L"operation_Pictor_IsShowFloatWinTip";
// The arrow and the text of both roads, in screen coordinates.
constexpr POINT kArrowFrom = {400, 300};
constexpr POINT kArrowTo = {600, 400};
constexpr POINT kOnTheShaft = {450, 325};
constexpr POINT kTextAt = {400, 550};
constexpr RECT kTextArea = {400, 550, 470, 580};

std::wstring Flag() {
  std::wstring text;
  const base::ScopedHkey key = base::OpenRegistryKey(HKEY_LOCAL_MACHINE, kSettingsKey);
  if (key)
    (void)base::ReadRegistryString(key.get(), kFlag, base::RegistryStringTypes::kPlain, 64, &text);
  return text;
}

// A desktop of ordinary windows and a host suite with its floating window and pop-up client,
// the hot key left at its default, CTRL+ALT+A.
class RoadTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hot_key_.Delete());
    ASSERT_TRUE(program_path_.SetString(testing_support::FakesFolder()));
    ASSERT_TRUE(Xdo::MoveMouse(1900, 1060));
    testing_support::ClearClipboard();
    ASSERT_TRUE(window_.WaitUntilShown());
    ASSERT_TRUE(other_window_.WaitUntilShown());
    ASSERT_TRUE(WaitUntil([&] { return float_record_.Contains(L"ready"); }));
  }

  // From the start to an arrow on the selected window: each step shows on the screen.
  void StartSelectAndDrawAnArrow(PictorSession& session, ToolbarDriver& toolbar) {
    ASSERT_TRUE(session.WaitForCaptureWindow());
    EXPECT_TRUE(WaitUntil([&] { return float_record_.Contains(L"start|0|0"); }))
        << "the floating window hears of the start";

    ASSERT_TRUE(Xdo::MoveMouse(650, 450));
    EXPECT_TRUE(ShowsOnScreen(kWindow.left - 1, 450, kOrange)) << "the window under the mouse";
    EXPECT_TRUE(ShowsOnScreen(650 + 20 + 116, 450 + 20 + 95, kPanel)) << "the magnifier";

    ASSERT_TRUE(Xdo::Click(650, 450));
    ASSERT_TRUE(toolbar.WaitUntilShown());
    EXPECT_EQ(toolbar.rect().right, kWindow.right) << "under the selection";
    EXPECT_EQ(toolbar.rect().top, kWindow.bottom + 5);
    EXPECT_TRUE(ShowsOnScreen(kWindow.left, 450, kOrange)) << "the selection's frame";
    EXPECT_TRUE(
        ShowsOnScreen(kWindow.left + 100, 450, PatternWindow::PatternAt(100, 450 - kWindow.top)))
        << "the selection undimmed";

    ASSERT_TRUE(toolbar.ChooseTool(Tool::kArrow));
    const RECT picker = toolbar.picker_rect();
    EXPECT_EQ(picker.right - picker.left, 316) << "three widths and the colours";
    for (int i = 0; i < kPaletteSize; ++i) {
      const POINT cell = toolbar.ColorCell(i);
      EXPECT_TRUE(ShowsOnScreen(cell.x, cell.y, ToColorRef(kPalette[i]))) << "colour " << i;
    }
    ASSERT_TRUE(toolbar.ChooseColor(e2e::kRedIndex));
    ASSERT_TRUE(Stroke(kArrowFrom.x, kArrowFrom.y, kArrowTo.x, kArrowTo.y));
    EXPECT_TRUE(ShowsOnScreen(kOnTheShaft.x, kOnTheShaft.y, kRed)) << "the arrow";
  }

  ScopedRegistryValue hot_key_{HKEY_LOCAL_MACHINE, kSettingsKey, L"operation_accelerator_code"};
  ScopedRegistryValue flag_{HKEY_LOCAL_MACHINE, kSettingsKey, kFlag};
  ScopedRegistryValue program_path_{HKEY_LOCAL_MACHINE, L"SOFTWARE\\velmora\\vlcommon",
                                    L"ProgramPath"};
  ScopedRecordFile popup_record_{L"PICTOR_AMBREL_RECORD"};
  ScopedRecordFile float_record_{L"PICTOR_FLOAT_WINDOW_RECORD"};
  PatternWindow window_{kWindow.left, kWindow.top, kWindow.right - kWindow.left,
                        kWindow.bottom - kWindow.top};
  PatternWindow other_window_{1200, 150, 500, 400};
  testing_support::ChildProcess float_window_{testing_support::BinaryFolder() + L"float_window.exe",
                                              {}};
};

TEST_F(RoadTest, HotKeyCaptureWithAnArrowAndATextIsCopied) {
  ASSERT_TRUE(flag_.Delete());
  PictorSession session({L"keyboard"});
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(StartSelectAndDrawAnArrow(session, toolbar));

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kText));
  ASSERT_TRUE(Xdo::Click(kTextAt.x, kTextAt.y));
  ASSERT_TRUE(Xdo::Focus(session.capture_window()));
  ASSERT_TRUE(Xdo::Type("Road"));
  EXPECT_TRUE(WaitUntil([] { return ScreenHas(kTextArea, kRed); })) << "the text as typed";

  ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kDone));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);

  const ClipboardPicture picture = ClipboardPicture::Read();
  ASSERT_EQ(picture.width, kWindow.right - kWindow.left);
  ASSERT_EQ(picture.height, kWindow.bottom - kWindow.top);
  EXPECT_EQ(picture.Pixel(kOnTheShaft.x - kWindow.left, kOnTheShaft.y - kWindow.top), kRed);
  EXPECT_EQ(picture.Pixel(10, 10), PatternWindow::PatternAt(10, 10)) << "the window itself";
  bool text = false;
  for (int y = kTextArea.top; y < kTextArea.bottom && !text; ++y) {
    for (int x = kTextArea.left; x < kTextArea.right && !text; ++x)
      text = picture.Pixel(x - kWindow.left, y - kWindow.top) == kRed;
  }
  EXPECT_TRUE(text) << "the text committed into the copy";
  const std::vector<std::wstring> records = popup_record_.Lines();
  EXPECT_EQ(std::count(records.begin(), records.end(), L"slot 7"), 1) << "the pop-up, once";
  EXPECT_EQ(Flag(), L"1");
}

TEST_F(RoadTest, TheSameRoadEndingInASaveShowsTheBalloonUntilItFades) {
  ASSERT_TRUE(flag_.SetString(L"1"));
  testing_support::ScopedTempFolder folder;
  const std::wstring path = folder.path() + L"road.png";
  PictorSession session({L"keyboard"});
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(StartSelectAndDrawAnArrow(session, toolbar));

  {
    testing_support::SaveDialogDriver driver(testing_support::SaveDialogDriver::Answer::kTypePath,
                                             std::string(path.begin(), path.end()));
    ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kSave));
    driver.Finish();
    EXPECT_TRUE(driver.dialog_seen());
  }
  // The balloon in the middle of the screen: "截图已保存，" and the link "点击查看".
  const POINT balloon = {(GetSystemMetrics(SM_CXSCREEN) - 255) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - 125) / 2};
  EXPECT_TRUE(WaitUntil([&] {
    return ScreenHas({balloon.x + 160, balloon.y + 53, balloon.x + 235, balloon.y + 75},
                     kLinkYellow);
  })) << "the link";
  ASSERT_TRUE(session.WaitForExit()) << "the balloon ends the process when it has faded";
  EXPECT_EQ(session.exit_code(), 0);
  EXPECT_TRUE(popup_record_.Lines().empty()) << "no pop-up once the flag is set";

  Gdiplus::Bitmap saved(path.c_str());
  ASSERT_EQ(saved.GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(static_cast<LONG>(saved.GetWidth()), kWindow.right - kWindow.left);
  Gdiplus::Color shaft;
  saved.GetPixel(kOnTheShaft.x - kWindow.left, kOnTheShaft.y - kWindow.top, &shaft);
  EXPECT_EQ(RGB(shaft.GetR(), shaft.GetG(), shaft.GetB()), kRed);
}

}  // namespace
