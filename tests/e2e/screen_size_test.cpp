// A session on whatever screen the test runs on: scripts/test runs these on its own display
// and again at 7680 x 4320, at 640 x 480, and at 120, 144 and 192 DPI. The capture window
// covers the screen; the pop-ups are their size at the display's scale (the toolbar's faces
// the renders for 150 % and 200 % pixel for pixel, the tooltip's text as large as the scale
// makes it, the handles as large to grab) and keep their place beside the selection inside the
// screen; a copy holds exactly the pixels under the selection, and a save's balloon shows
// whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/dpi_scale.h"
#include "base/gdiplus.h"
#include "resources/resource_ids.h"
#include "tests/e2e/toolbar_driver.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/pattern_window.h"
#include "tests/support/pictor_session.h"
#include "tests/support/png_image.h"
#include "tests/support/program_module.h"
#include "tests/support/save_dialog_driver.h"
#include "tests/support/screen_grab.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"
#include "ui/color_table_dlg.h"

namespace {

using e2e::ToolbarDriver;
using testing_support::ClipboardShows;
using testing_support::PatternWindow;
using testing_support::PictorSession;
using testing_support::ScreenGrab;
using testing_support::WaitUntil;
using testing_support::Xdo;

using testing_support::PngImage;

// The balloon's size at the display's scale, set by the test.
SIZE g_balloon_size = {298, 138};

bool IsBalloonSized(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.right - rect.left == g_balloon_size.cx && rect.bottom - rect.top == g_balloon_size.cy;
}

ScreenGrab GrabOf(const RECT& area) {
  HDC screen = GetDC(nullptr);
  ScreenGrab grab(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
  ReleaseDC(nullptr, screen);
  return grab;
}

// How many rows of `area` on the screen hold text: pixels far darker or lighter than the
// face at the area's top-left corner.
int InkHeight(const RECT& area) {
  const ScreenGrab grab = GrabOf(area);
  const COLORREF face = grab.Pixel(1, 1);
  int first = -1;
  int last = -1;
  for (int y = 0; y < area.bottom - area.top; ++y) {
    for (int x = 0; x < area.right - area.left; ++x) {
      const COLORREF pixel = grab.Pixel(x, y);
      if (std::abs(GetGValue(pixel) - GetGValue(face)) > 80) {
        first = first < 0 ? y : first;
        last = y;
        break;
      }
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

class ScreenSizeTest : public testing::Test {
 protected:
  void SetUp() override {
    // Coordinates in the screen's own pixels, whatever its DPI, as the program uses them.
    SetProcessDPIAware();
    screen_ = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    scale_ = ToolbarDriver().scale();
    toolbar_size_ = scale_.Scale(SIZE{Toolbar::kWidth, Toolbar::kHeight});
    g_balloon_size = scale_.Scale(SIZE{298, 138});
    ASSERT_TRUE(Xdo::MoveMouse(screen_.right - 1, screen_.bottom - 1));
    testing_support::ClearClipboard();
  }

  // The screen the runner asked for, when one did.
  void ExpectTheAskedScreen() const {
    char asked[32] = {};
    if (GetEnvironmentVariableA("PICTOR_SCREEN", asked, sizeof(asked)) == 0)
      return;
    HDC screen = GetDC(nullptr);
    const std::string got = std::to_string(screen_.right) + "x" + std::to_string(screen_.bottom) +
                            ":" + std::to_string(GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(got, asked) << "the screen and DPI this runs on";
  }

  testing::AssertionResult OnScreen(const RECT& rect, const char* what) const {
    RECT inside = {};
    if (IntersectRect(&inside, &rect, &screen_) && EqualRect(&inside, &rect))
      return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << what << " (" << rect.left << ", " << rect.top << ")-(" << rect.right << ", "
           << rect.bottom << ") leaves the screen";
  }

  // Drags out `area` from its bottom-right corner and waits for the toolbar.
  void Select(const RECT& area, ToolbarDriver& toolbar) {
    ASSERT_TRUE(e2e::Stroke(area.right, area.bottom, area.left, area.top));
    ASSERT_TRUE(toolbar.WaitUntilShown());
    const RECT bar = toolbar.rect();
    EXPECT_EQ(bar.right - bar.left, toolbar_size_.cx);
    EXPECT_EQ(bar.bottom - bar.top, toolbar_size_.cy);
    EXPECT_TRUE(OnScreen(bar, "the toolbar"));
    EXPECT_EQ(bar.right, std::max<LONG>(area.right, toolbar_size_.cx)) << "beside the selection";
  }

  // Where a scale has renders of its own (150 % and 200 %), the toolbar shows them one to one:
  // its background where no button lies, and the first tool's face, wherever they are opaque.
  void ExpectToolbarShowsItsRenders(const RECT& bar) const {
    const wchar_t* type = scale_.percent() == 150   ? L"BINDATA150"
                          : scale_.percent() == 200 ? L"BINDATA200"
                                                    : nullptr;
    if (!type)
      return;
    const testing_support::ProgramModule program;
    const PngImage background =
        PngImage::Decode(program.ResourceBytes(MAKEINTRESOURCEW(IDB_TOOLBAR_BACKGROUND), type));
    const PngImage face =
        PngImage::Decode(program.ResourceBytes(MAKEINTRESOURCEW(IDB_TOOL_RECTANGLE), type));
    ASSERT_TRUE(background.decoded && face.decoded);
    // The toolbar shows the picture's top-left part.
    const int width = std::min<int>(background.width, bar.right - bar.left);
    const int height = std::min<int>(background.height, bar.bottom - bar.top);
    const RECT first = Toolbar::ButtonBounds(0, true);
    const POINT face_at = {scale_.Scale(first.left), scale_.Scale(first.top)};
    const auto differences = [&] {
      const ScreenGrab grab = GrabOf(bar);
      int different = 0;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const bool on_button = y >= face_at.y && y < face_at.y + face.height && x >= face_at.x &&
                                 (x - face_at.x) % scale_.Scale(Toolbar::kButtonPitch) < face.width;
          const bool on_face = on_button && x >= face_at.x && x < face_at.x + face.width;
          const uint32_t expected =
              on_face ? face.At(x - face_at.x, y - face_at.y) : background.At(x, y);
          if ((on_button && !on_face) || testing_support::Alpha(expected) != 0xFF)
            continue;
          different += grab.Pixel(x, y) !=
                       RGB((expected >> 16) & 0xFF, (expected >> 8) & 0xFF, expected & 0xFF);
        }
      }
      return different;
    };
    int different = 0;
    EXPECT_TRUE(WaitUntil([&] { return (different = differences()) == 0; }))
        << different << " pixels of the toolbar differ from the " << scale_.percent()
        << " % renders";
  }

  RECT screen_ = {};
  base::DpiScale scale_;
  SIZE toolbar_size_ = {};
};

TEST_F(ScreenSizeTest, PopUpsFitAndTheCopyIsExact) {
  ExpectTheAskedScreen();
  const int w = screen_.right;
  const int h = screen_.bottom;
  // In the bottom-right corner, where the toolbar and the picker must turn inwards.
  PatternWindow pattern(w - std::min(w / 2, 400), h - std::min(h / 2, 300), std::min(w / 2, 400),
                        std::min(h / 2, 300));
  ASSERT_TRUE(pattern.WaitUntilShown());
  const ScreenGrab before;
  const RECT area = {w - std::min(w / 3, 300), h - std::min(h / 3, 200), w - 8, h - 8};

  PictorSession session({L"floatwin"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  RECT capture = {};
  GetWindowRect(session.capture_window(), &capture);
  EXPECT_TRUE(EqualRect(&capture, &screen_)) << "the capture window covers the screen";
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(Select(area, toolbar));
  ExpectToolbarShowsItsRenders(toolbar.rect());

  // The top-left handle is grabbed where only a handle of the scale's size reaches (away from
  // the drag's first press, which a second one near it would make a double click); the corner
  // goes where it is let go.
  const int out = scale_.Scale(2);
  RECT resized = area;
  resized.left += 20;
  resized.top += 10;
  ASSERT_TRUE(e2e::Stroke(area.left - out, area.top - out, resized.left, resized.top));

  // The tooltip over the save button, and its text, at the scale.
  const POINT save = toolbar.ButtonMiddle(Toolbar::SlotOf(Toolbar::Command::kSave));
  ASSERT_TRUE(Xdo::MoveMouse(save.x, save.y));
  int ink = 0;
  EXPECT_TRUE(WaitUntil([&] {
    HWND tooltip = e2e::ShownWindowOfHeight(session.capture_window(), scale_.Scale(22));
    RECT rect = {};
    if (!tooltip || !GetWindowRect(tooltip, &rect))
      return false;
    ink = InkHeight(rect);
    return ink >= scale_.Scale(8) && ink <= scale_.Scale(16);
  })) << "no tooltip "
      << scale_.Scale(22) << " pixels high with text " << scale_.Scale(8) << " to "
      << scale_.Scale(16) << " pixels high; the text was " << ink;

  ASSERT_TRUE(toolbar.ChooseTool(Tool::kRectangle));
  const RECT picker = toolbar.picker_rect();
  EXPECT_EQ(picker.bottom - picker.top, scale_.Scale(ColorTableDlg::kHeight));
  EXPECT_TRUE(OnScreen(picker, "the picker"));
  ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kDone));
  ASSERT_TRUE(session.WaitForExit());
  EXPECT_EQ(session.exit_code(), 0);
  EXPECT_TRUE(ClipboardShows(before, resized));
}

TEST_F(ScreenSizeTest, SavedPictureIsExactAndTheBalloonShowsWhole) {
  const ScreenGrab before;
  const RECT area = {10, 10, std::min<LONG>(screen_.right / 2, 300),
                     std::min<LONG>(screen_.bottom / 2, 200)};
  testing_support::ScopedTempFolder folder;
  const std::wstring path = folder.path() + L"screen.png";

  PictorSession session({L"floatwin"});
  ASSERT_TRUE(session.WaitForCaptureWindow());
  ToolbarDriver toolbar;
  ASSERT_NO_FATAL_FAILURE(Select(area, toolbar));
  {
    testing_support::SaveDialogDriver driver(testing_support::SaveDialogDriver::Answer::kTypePath,
                                             std::string(path.begin(), path.end()));
    ASSERT_TRUE(toolbar.ClickButton(Toolbar::Command::kSave));
    driver.Finish();
  }
  HWND balloon = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    return (balloon = session.process().FindVisibleWindow(&IsBalloonSized));
  })) << "no balloon of its full size";
  RECT rect = {};
  GetWindowRect(balloon, &rect);
  EXPECT_TRUE(OnScreen(rect, "the balloon"));
  ASSERT_TRUE(session.WaitForExit()) << "the balloon ends the process when it has faded";
  EXPECT_EQ(session.exit_code(), 0);

  Gdiplus::Bitmap saved(path.c_str());
  ASSERT_EQ(saved.GetLastStatus(), Gdiplus::Ok);
  ASSERT_EQ(static_cast<LONG>(saved.GetWidth()), area.right - area.left);
  ASSERT_EQ(static_cast<LONG>(saved.GetHeight()), area.bottom - area.top);
  for (LONG y = 0; y < area.bottom - area.top; y += 3) {
    for (LONG x = 0; x < area.right - area.left; x += 3) {
      Gdiplus::Color color;
      saved.GetPixel(x, y, &color);
      ASSERT_EQ(RGB(color.GetR(), color.GetG(), color.GetB()),
                before.Pixel(area.left + x, area.top + y))
          << "at (" << x << ", " << y << ")";
    }
  }
}

}  // namespace
