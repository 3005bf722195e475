// The ends of a session: copy to the clipboard, save to a file, cancel.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

#include "base/gdiplus.h"
#include "base/window_stacking.h"
#include "capture/session_widget_hooks.h"
#include "toolset/tool_table.h"
#include "drawing/mosaic_canvas.h"
#include "dui/widget.h"
#include "ui/tip.h"
#include "ui/toolbar.h"
#include "tests/capture/capture_harness.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/message_box_closer.h"
#include "tests/support/desktop_grab.h"
#include "tests/support/fake_ticks.h"
#include "tests/support/save_dialog_driver.h"
#include "tests/support/test_paths.h"
#include "tests/support/wait.h"

namespace {

using capture_test::CaptureHarness;
using testing_support::ClipboardPicture;
using testing_support::SaveDialogDriver;
using testing_support::ScopedTempFolder;
using testing_support::WaitUntil;
using State = SelectionState;

constexpr wchar_t kSaveTitle[] = L"保存截图";

constexpr RECT kSelection = {300, 200, 520, 350};

void Select(CaptureHarness& harness, const RECT& rect) {
  harness.Drag({rect.left, rect.top}, {rect.right, rect.bottom});
}

// UTF-8, as xdotool types it.
std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), narrow.data(), size,
                      nullptr, nullptr);
  return narrow;
}

// The path the file functions take at any length.
std::wstring LongPath(const std::wstring& path) {
  return path.size() < MAX_PATH ? path : L"\\\\?\\" + path;
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream file(LongPath(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string FileStart(const std::wstring& path, size_t bytes) {
  std::ifstream file(LongPath(path).c_str(), std::ios::binary);
  std::string start(bytes, '\0');
  file.read(start.data(), static_cast<std::streamsize>(bytes));
  start.resize(static_cast<size_t>(file.gcount()));
  return start;
}

// How far the saved picture is from the pattern: the largest and the mean difference of
// any channel. A picture of the wrong size or none at all is as far as can be.
struct Difference {
  int largest = 256;
  double mean = 256;
};

Difference DifferenceFromPattern(const std::wstring& path, const RECT& area) {
  Gdiplus::Bitmap image(LongPath(path).c_str());
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  Difference difference;
  if (image.GetLastStatus() != Gdiplus::Ok || static_cast<int>(image.GetWidth()) != width ||
      static_cast<int>(image.GetHeight()) != height) {
    return difference;
  }
  difference.largest = 0;
  long long total = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Gdiplus::Color color;
      image.GetPixel(x, y, &color);
      const COLORREF expected = CaptureHarness::PatternAt(area.left + x, area.top + y);
      const int channels[] = {std::abs(color.GetR() - GetRValue(expected)),
                              std::abs(color.GetG() - GetGValue(expected)),
                              std::abs(color.GetB() - GetBValue(expected))};
      for (int channel : channels) {
        difference.largest = std::max(difference.largest, channel);
        total += channel;
      }
    }
  }
  difference.mean = static_cast<double>(total) / (3.0 * width * height);
  return difference;
}

// Copies while another thread holds the clipboard open.
void CopyWhileTheClipboardIsBusy(CaptureWindow& window) {
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    OpenClipboard(nullptr);
    SetEvent(opened);
    WaitForSingleObject(release, 20000);
    CloseClipboard();
  });
  WaitForSingleObject(opened, 20000);
  window.OnDone();
  SetEvent(release);
  holder.join();
  CloseHandle(opened);
  CloseHandle(release);
}

// With the session's rules for pop-ups, as the program runs: a save ends the session when
// its balloon has faded.
using FinishTest = capture_test::SessionRulesTest;

TEST_F(FinishTest, DoubleClickInsideCopiesTheSelectionAndEndsTheSession) {
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  harness.DoubleClick(400, 300);
  EXPECT_TRUE(outcome_.copied);
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  EXPECT_FALSE(harness.alive());
  EXPECT_EQ(outcome_.exit_code, 0);

  const ClipboardPicture picture = ClipboardPicture::Read();
  ASSERT_EQ(picture.width, 220);
  ASSERT_EQ(picture.height, 150);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      ASSERT_EQ(picture.Pixel(x, y), CaptureHarness::PatternAt(300 + x, 200 + y))
          << "at (" << x << ", " << y << ")";
    }
  }
}

TEST_F(FinishTest, DoubleClickOutsideTheSelectionCopiesNothing) {
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  SendMessageW(harness.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(900, 900));
  EXPECT_FALSE(outcome_.copied);
  EXPECT_FALSE(testing_support::PumpMessages());
  EXPECT_TRUE(harness.alive());
}

TEST_F(FinishTest, CopyInAFeedbackSessionSetsExitCodeOne) {
  CaptureHarness harness(outcome_);
  harness.window().SetLaunchSourceForTesting(LaunchSource::kFeedback);
  Select(harness, kSelection);
  harness.window().OnDone();
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  EXPECT_EQ(outcome_.exit_code, 1);
}

TEST_F(FinishTest, BusyClipboardLeavesTheSessionAsItWas) {
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  const COLORREF before = harness.PictureAt(400, 300);

  CopyWhileTheClipboardIsBusy(harness.window());

  EXPECT_FALSE(outcome_.copied);
  EXPECT_FALSE(testing_support::PumpMessages()) << "the session goes on";
  EXPECT_TRUE(harness.alive());
  EXPECT_EQ(harness.window().state(), State::kSelected);
  EXPECT_EQ(harness.PictureAt(400, 300), before);
  EXPECT_EQ(ClipboardPicture::Read().width, 0);

  harness.window().OnCancel(CancelReason::kCancelButton);
  EXPECT_TRUE(testing_support::WaitForQuitMessage()) << "cancel still ends the session";
}

// A mosaic over the selection with an arrow drawn after it: painted once, the arrow is sharp
// over the blocks; painted into a picture that already holds them, the blocks would take
// in the arrow's colour.
void AddMosaicAndArrow(CaptureWindow& window) {
  std::unique_ptr<Drawing> mosaic = CreateDrawing(Tool::kMosaic);
  mosaic->mosaicSize = 20;
  for (int x = 320; x <= 500; x += 4)
    mosaic->AddPoint({x, 275});
  window.AddShapeForTesting(std::move(mosaic));
  std::unique_ptr<Drawing> arrow = CreateDrawing(Tool::kArrow);
  arrow->width = 5;
  arrow->color = RGB(255, 0, 0);
  arrow->AddPoint({330, 240});
  arrow->AddPoint({490, 310});
  arrow->EndDraw();
  window.AddShapeForTesting(std::move(arrow));
}

// Repaints the overlay (a nudge right and back) and returns the selection's pixels.
std::vector<COLORREF> RepaintedSelection(CaptureHarness& harness) {
  harness.window().OnArrowKey(VK_RIGHT);
  harness.window().OnArrowKey(VK_LEFT);
  std::vector<COLORREF> pixels;
  for (int y = kSelection.top; y < kSelection.bottom; ++y) {
    for (int x = kSelection.left; x < kSelection.right; ++x)
      pixels.push_back(harness.FrameAt(x, y));
  }
  return pixels;
}

TEST_F(FinishTest, BusyClipboardDoesNotPaintTheShapesTwice) {
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  AddMosaicAndArrow(harness.window());
  const std::vector<COLORREF> before = RepaintedSelection(harness);
  ASSERT_NE(harness.FrameAt(410, 275), harness.PictureAt(410, 275)) << "the shapes show";

  CopyWhileTheClipboardIsBusy(harness.window());

  EXPECT_TRUE(RepaintedSelection(harness) == before);
  harness.window().OnDone();
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  const ClipboardPicture picture = ClipboardPicture::Read();
  ASSERT_EQ(picture.width, kSelection.right - kSelection.left);
  // Inside the frame and the handles that the overlay draws along the edge.
  for (int y = 6; y < picture.height - 6; y += 2) {
    for (int x = 6; x < picture.width - 6; x += 2) {
      ASSERT_EQ(picture.Pixel(x, y), before[static_cast<size_t>(y) * picture.width + x])
          << "the copy shows the shapes as the overlay did, at (" << x << ", " << y << ")";
    }
  }
}

TEST_F(FinishTest, SaveWritesEachFormatWithTheSelectionsPixels) {
  // The pattern changes at every pixel, the worst case for JPEG's colour subsampling, and
  // has far more than the 256 colours of a GIF palette.
  const struct {
    const char* name;
    const char* magic;
    int largest;
    double mean;
  } formats[] = {
      {"shot.png", "\x89PNG", 0, 0},
      {"shot.bmp", "BM", 0, 0},
      {"shot.jpg", "\xFF\xD8\xFF", 255, 20},
      {"shot.gif", "GIF8", 255, 20},
      {"shot.tiff", "II*", 0, 0},
  };
  for (const auto& format : formats) {
    ScopedTempFolder folder;
    const std::wstring path =
        folder.path() + std::wstring(format.name, format.name + strlen(format.name));
    CaptureHarness harness(outcome_);
    Select(harness, kSelection);
    {
      SaveDialogDriver driver(SaveDialogDriver::Answer::kTypePath, Narrow(path));
      harness.window().OnSave(SaveSource::kSaveButton);
      EXPECT_TRUE(driver.dialog_seen()) << format.name;
    }
    EXPECT_TRUE(testing_support::WaitForQuitMessage()) << format.name;
    EXPECT_TRUE(outcome_.saved) << format.name;
    EXPECT_EQ(outcome_.saved_path, path);
    EXPECT_EQ(FileStart(path, strlen(format.magic)), format.magic) << format.name;
    const Difference difference = DifferenceFromPattern(path, kSelection);
    EXPECT_LE(difference.largest, format.largest) << format.name;
    EXPECT_LE(difference.mean, format.mean) << format.name;
    outcome_.saved = false;
  }
}

// Each awkward place either gets a file that decodes to the selection, byte for byte what a
// plain save writes (a larger file replaced keeps nothing of its old end; a path beyond the
// old 259-character limit is written like any), or leaves the file as it was, says so in a
// message that names it, and the session goes on.
TEST_F(FinishTest, AwkwardPlacesGetThePictureOrSaySoAndTheSessionGoesOn) {
  ScopedTempFolder folder;
  const std::wstring plain = folder.path() + L"plain.png";
  const std::wstring larger = folder.path() + L"larger.png";
  const std::wstring locked = folder.path() + L"locked.png";
  const std::string junk(1 << 20, 'j');
  for (const std::wstring& path : {larger, locked})
    std::ofstream(path.c_str(), std::ios::binary) << junk;
  // Read-only files and folders do not stop root under Wine; a file that another handle
  // holds without sharing refuses every writer everywhere.
  HANDLE held = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::wstring longest = folder.path();
  longest += std::wstring(MAX_PATH - 1 - longest.size() - 4, L'n') + L".png";
  const std::wstring deep = folder.path() + std::wstring(200, L'd');
  ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  const std::wstring beyond = deep + L"\\" + std::wstring(120, L'b') + L".png";
  ASSERT_GT(beyond.size(), static_cast<size_t>(MAX_PATH));
  const struct {
    std::wstring path;
    bool written;
  } cases[] = {
      {plain, true},   {folder.path() + L"\u622a\u56fe \u6d4b\u8bd5 1.png", true},
      {larger, true},  {locked, false},
      {longest, true}, {beyond, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    const bool exists = GetFileAttributesW(c.path.c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::string before = c.path == locked ? junk : FileBytes(c.path);
    CaptureHarness harness(outcome_);
    Select(harness, kSelection);
    testing_support::MessageBoxCloser closer(kSaveTitle);
    {
      SaveDialogDriver driver(exists ? SaveDialogDriver::Answer::kTypePathAndReplace
                                     : SaveDialogDriver::Answer::kTypePath,
                              Narrow(c.path));
      harness.window().OnSave(SaveSource::kSaveButton);
    }
    EXPECT_EQ(outcome_.saved, c.written);
    if (outcome_.saved) {
      EXPECT_TRUE(testing_support::WaitForQuitMessage());
      EXPECT_EQ(outcome_.saved_path, c.path);
      EXPECT_EQ(DifferenceFromPattern(c.path, kSelection).largest, 0);
      EXPECT_TRUE(FileBytes(c.path) == FileBytes(plain)) << "not what a plain save writes";
      EXPECT_TRUE(closer.texts().empty());
      outcome_.saved = false;
      continue;
    }
    const std::vector<std::wstring> messages = closer.texts();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(c.path), std::wstring::npos) << "the message names the file";
    EXPECT_GT(messages[0].size(), c.path.size() + 12) << "and the system's reason";
    EXPECT_FALSE(testing_support::PumpMessages()) << "the session goes on";
    EXPECT_TRUE(harness.alive());
    if (c.path != locked) {
      EXPECT_TRUE(FileBytes(c.path) == before) << "the file changed";
    }
    harness.window().OnCancel(CancelReason::kCancelButton);
    EXPECT_TRUE(testing_support::WaitForQuitMessage());
  }
  CloseHandle(held);
  EXPECT_TRUE(FileBytes(locked) == junk) << "the held file changed";
}

// The extension names what the file holds: the last one when it names a format, else the
// file type picked in the dialog (PNG), added to the name, which the balloon then names.
TEST_F(FinishTest, TheSavedFileIsNamedForItsFormat) {
  const struct {
    const char* typed;
    const char* written;
    const char* magic;
  } names[] = {
      {"shot.png.jpg", "shot.png.jpg", "\xFF\xD8\xFF"},
      {"SHOT.PNG", "SHOT.PNG", "\x89PNG"},
      {"Shot.Bmp", "Shot.Bmp", "BM"},
      {"shot.jpeg.gif", "shot.jpeg.gif", "GIF8"},
      {"shot.tif", "shot.tif", "II*"},
      {"shot.xyz", "shot.xyz.png", "\x89PNG"},
  };
  for (const auto& entry : names) {
    ScopedTempFolder folder;
    const std::wstring typed =
        folder.path() + std::wstring(entry.typed, entry.typed + strlen(entry.typed));
    const std::wstring written =
        folder.path() + std::wstring(entry.written, entry.written + strlen(entry.written));
    CaptureHarness harness(outcome_);
    Select(harness, kSelection);
    {
      SaveDialogDriver driver(SaveDialogDriver::Answer::kTypePath, Narrow(typed));
      harness.window().OnSave(SaveSource::kCtrlS);
    }
    EXPECT_TRUE(testing_support::WaitForQuitMessage()) << entry.typed;
    EXPECT_EQ(FileStart(written, strlen(entry.magic)), entry.magic) << entry.typed;
    EXPECT_EQ(outcome_.saved_path, written);
    outcome_.saved = false;
  }
}

// A name that gets its extension added may name a file already there: the person is asked
// before it is replaced, and a "no" leaves both the file and the session as they were.
TEST_F(FinishTest, AnAddedExtensionAsksBeforeItReplacesAFile) {
  ScopedTempFolder folder;
  const std::wstring typed = folder.path() + L"shot";
  const std::wstring written = typed + L".png";
  std::ofstream(written.c_str(), std::ios::binary) << "earlier";
  for (const int answer : {IDNO, IDYES}) {
    CaptureHarness harness(outcome_);
    Select(harness, kSelection);
    testing_support::MessageBoxCloser closer(kSaveTitle, answer);
    {
      // The dialog adds ".png" itself to a name without an extension; a name ending in a
      // dot keeps it and gets the extension here.
      SaveDialogDriver driver(SaveDialogDriver::Answer::kTypePath, Narrow(typed + L"."));
      harness.window().OnSave(SaveSource::kCtrlS);
    }
    ASSERT_EQ(closer.texts().size(), 1u);
    EXPECT_NE(closer.texts()[0].find(written), std::wstring::npos);
    if (answer == IDNO) {
      EXPECT_EQ(FileBytes(written), "earlier");
      EXPECT_FALSE(testing_support::PumpMessages()) << "the session goes on";
      harness.window().OnCancel(CancelReason::kCancelButton);
      EXPECT_TRUE(testing_support::WaitForQuitMessage());
    } else {
      EXPECT_TRUE(testing_support::WaitForQuitMessage());
      EXPECT_EQ(FileStart(written, 4), "\x89PNG");
      outcome_.saved = false;
    }
  }
}

TEST_F(FinishTest, SaveDialogProposesAChineseNameOnTheDesktop) {
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  wchar_t desktop[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
  std::wstring proposed;
  {
    SaveDialogDriver driver(SaveDialogDriver::Answer::kAcceptProposed);
    harness.window().OnSave(SaveSource::kSaveButton);
    proposed = driver.proposed_name();
  }
  ASSERT_EQ(proposed.size(), 2u + 14u) << "proposed name of " << proposed.size() << " chars";
  EXPECT_EQ(proposed.substr(0, 2), L"截图");
  EXPECT_EQ(proposed.find_first_not_of(L"0123456789", 2), std::wstring::npos);

  // The name survives as typed, Chinese included, and lands on the desktop as PNG.
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  const std::wstring expected_path = std::wstring(desktop) + L"\\" + proposed + L".png";
  EXPECT_EQ(outcome_.saved_path, expected_path);
  EXPECT_EQ(FileStart(expected_path, 4), "\x89PNG");
  DeleteFileW(expected_path.c_str());
}

// A cancelled dialog leaves the session as it was, its toolbar on the screen again: the
// dialog's going has the window system stack the capture window over its pop-ups.
TEST_F(FinishTest, CancelledDialogLeavesTheSessionRunning) {
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  RECT bar = {};
  GetWindowRect(harness.window().toolbar()->widget()->GetHwnd(), &bar);
  const auto buttons = [&] {
    return testing_support::ScreenRow(bar.left, bar.right, bar.top + 23);
  };
  std::vector<COLORREF> shown;
  ASSERT_TRUE(WaitUntil([&] { return testing_support::IsPainted(shown = buttons()); }))
      << "the toolbar painted";
  {
    SaveDialogDriver driver(SaveDialogDriver::Answer::kCancel);
    harness.window().OnSave(SaveSource::kSaveButton);
    EXPECT_TRUE(driver.dialog_seen());
  }
  EXPECT_FALSE(outcome_.saved);
  EXPECT_FALSE(testing_support::PumpMessages());
  EXPECT_TRUE(harness.alive());
  EXPECT_EQ(harness.window().state(), State::kSelected);
  EXPECT_TRUE(IsWindowEnabled(harness.window().toolbar()->widget()->GetHwnd()));
  EXPECT_TRUE(WaitUntil([&] { return buttons() == shown; })) << "the toolbar shows again";
}

// Without memory for a mosaic's work picture the selection would go out with the area the
// user hid in clear: nothing is copied, the session stays as it was, and a later try works.
TEST_F(FinishTest, MosaicThatCannotBePaintedStopsTheCopy) {
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  AddMosaicAndArrow(harness.window());
  const COLORREF picture_before = harness.PictureAt(410, 275);
  struct FailingMosaics {
    FailingMosaics() { MosaicCanvas::FailReadsForTesting(true); }
    ~FailingMosaics() { MosaicCanvas::FailReadsForTesting(false); }
  };
  {
    FailingMosaics failing;
    harness.window().OnDone();
  }
  EXPECT_FALSE(outcome_.copied);
  EXPECT_FALSE(testing_support::PumpMessages()) << "the session goes on";
  EXPECT_TRUE(harness.alive());
  EXPECT_EQ(harness.PictureAt(410, 275), picture_before) << "nothing painted into the picture";
  EXPECT_EQ(ClipboardPicture::Read().width, 0);

  harness.window().OnDone();
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  EXPECT_EQ(ClipboardPicture::Read().width, kSelection.right - kSelection.left);
}

// A save that fails says why, claims nothing, and leaves the session as it was before the
// save: the picture unpainted, the toolbar on top, ready for another place.
TEST_F(FinishTest, FailedWriteSaysWhyClaimsNothingAndTheSessionGoesOn) {
  ScopedTempFolder folder;
  // A folder that does not exist: the file cannot be created.
  const std::wstring path = folder.path() + L"missing\\shot.png";
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  const COLORREF before = harness.PictureAt(400, 300);
  testing_support::MessageBoxCloser closer(kSaveTitle);
  {
    SaveDialogDriver driver(SaveDialogDriver::Answer::kTypePath, Narrow(path));
    harness.window().OnSave(SaveSource::kSaveButton);
    EXPECT_TRUE(driver.dialog_seen());
  }
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(closer.texts().size(), 1u);
  EXPECT_NE(closer.texts()[0].find(path), std::wstring::npos);
  EXPECT_FALSE(outcome_.saved);
  EXPECT_TRUE(outcome_.saved_path.empty() || outcome_.saved_path != path);
  EXPECT_FALSE(outcome_.balloon_shown) << "no balloon claims a saved file";
  EXPECT_FALSE(testing_support::PumpMessages());
  EXPECT_TRUE(harness.alive());
  EXPECT_EQ(harness.window().state(), State::kSelected);
  EXPECT_EQ(harness.PictureAt(400, 300), before);
  HWND toolbar = harness.window().toolbar()->widget()->GetHwnd();
  EXPECT_TRUE(IsWindowEnabled(toolbar));
  EXPECT_TRUE(WaitUntil([&] { return base::IsAbove(toolbar, harness.hwnd()); }))
      << "the toolbar on top";

  harness.window().OnCancel(CancelReason::kCancelButton);
  EXPECT_TRUE(testing_support::WaitForQuitMessage()) << "cancel still ends the session";
}

// The balloon ends a saved session; where none can be shown (one is up already, on ticks
// that stand still), the save ends it itself rather than leave the process running.
TEST_F(FinishTest, SaveWithoutABalloonEndsTheSessionItself) {
  testing_support::ScopedFakeTicks frozen(1000);
  outcome_.saved = true;
  Tip* earlier = Tip::Show(0, 0, outcome_);
  ASSERT_NE(earlier, nullptr);
  outcome_.saved = false;
  ScopedTempFolder folder;
  CaptureHarness harness(outcome_);
  Select(harness, kSelection);
  {
    SaveDialogDriver driver(SaveDialogDriver::Answer::kTypePath, Narrow(folder.path() + L"a.png"));
    harness.window().OnSave(SaveSource::kSaveButton);
  }
  EXPECT_TRUE(testing_support::WaitForQuitMessage());
  EXPECT_FALSE(harness.alive());
  EXPECT_TRUE(outcome_.balloon_shown) << "the earlier balloon, which has not ended it";
  earlier->GetWidget()->Close();
  EXPECT_TRUE(testing_support::WaitUntil([&] { return !outcome_.balloon_shown; }));
}

TEST_F(FinishTest, SaveDoesNothingInAFeedbackSession) {
  CaptureHarness harness(outcome_);
  harness.window().SetLaunchSourceForTesting(LaunchSource::kFeedback);
  Select(harness, kSelection);
  harness.window().OnSave(SaveSource::kSaveButton);  // returns at once: no dialog
  EXPECT_EQ(FindWindowW(nullptr, L"保存图片"), nullptr);
  EXPECT_FALSE(outcome_.saved);
  EXPECT_TRUE(harness.alive());
}

}  // namespace
