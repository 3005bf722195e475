#include "tests/capture/capture_harness.h"

#include "base/memory_bitmap.h"
#include "base/scoped_get_dc.h"
#include "dui/widget.h"
#include "tests/support/clipboard_picture.h"
#include "tests/support/pixel_painter.h"
#include "tests/support/wait.h"

namespace capture_test {
CaptureHarness::CaptureHarness() : CaptureHarness(own_outcome_) {}

CaptureHarness::CaptureHarness(SessionOutcome& outcome)
    : outcome_(outcome), window_(std::make_unique<CaptureWindow>(outcome)) {
  outcome_.copied = false;
  outcome_.saved = false;
  window_->TakeSnapshot();
  PaintPattern();
  hwnd_ = window_->CreateDialogWindow(GetModuleHandleW(nullptr));
}

CaptureHarness::~CaptureHarness() {
  if (IsWindow(hwnd_))
    DestroyWindow(hwnd_);
  testing_support::PumpMessages();
}

// Every pixel differs from its neighbours in every channel, so that a picture shifted by
// one pixel or taken from the wrong place does not match.
COLORREF CaptureHarness::PatternAt(int x, int y) {
  return RGB((x * 7 + y) & 0xFF, (y * 5 + x * 3) & 0xFF, (x * 11 + y * 13 + 40) & 0xFF);
}

void CaptureHarness::PaintPattern() {
  testing_support::PaintPattern(window_->original_dc(), 0, 0, window_->desktop().width(),
                                window_->desktop().height(), &CaptureHarness::PatternAt);
}

void CaptureHarness::Send(UINT message, WPARAM wparam, int x, int y) {
  SendMessageW(hwnd_, message, wparam, MAKELPARAM(x, y));
}

void CaptureHarness::Move(int x, int y) {
  Send(WM_MOUSEMOVE, 0, x, y);
}

void CaptureHarness::Down(int x, int y) {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
}

void CaptureHarness::Up(int x, int y) {
  Send(WM_LBUTTONUP, 0, x, y);
}

void CaptureHarness::Click(int x, int y) {
  Move(x, y);
  Down(x, y);
  Up(x, y);
}

void CaptureHarness::Drag(POINT from, POINT to) {
  Move(from.x, from.y);
  Down(from.x, from.y);
  Move((from.x + to.x) / 2, (from.y + to.y) / 2);
  Move(to.x, to.y);
  Up(to.x, to.y);
}

void CaptureHarness::Key(int virtual_key) {
  SendMessageW(hwnd_, WM_KEYDOWN, virtual_key, 0);
}

void CaptureHarness::RightClick(int x, int y) {
  Send(WM_RBUTTONDOWN, MK_RBUTTON, x, y);
  Send(WM_RBUTTONUP, 0, x, y);
}

void CaptureHarness::DoubleClick(int x, int y) {
  Down(x, y);
  Up(x, y);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, x, y);
  Up(x, y);
}

COLORREF CaptureHarness::FrameAt(int x, int y) const {
  return GetPixel(window_->mem_dc(), x, y);
}

COLORREF CaptureHarness::PictureAt(int x, int y) const {
  return GetPixel(window_->original_dc(), x, y);
}

testing_support::ScreenGrab CaptureHarness::WholeFrame(const RECT& area) {
  // A picture like the frame, which GDI+ draws on as it does on the frame.
  base::MemoryBitmap whole;
  EXPECT_TRUE(whole.MakeTopDown32(window_->desktop().width(), window_->desktop().height()));
  window_->ComposeWholeFrame(whole.dc());
  return testing_support::ScreenGrab(whole.dc(), area.left, area.top, area.right - area.left,
                                     area.bottom - area.top);
}

TestWindow::TestWindow(int x, int y, int width, int height) {
  hwnd_ = CreateWindowExW(0, L"STATIC", L"detect me", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y,
                          width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  testing_support::PumpMessages();
}

TestWindow::~TestWindow() {
  DestroyWindow(hwnd_);
}

RECT TestWindow::rect() const {
  RECT rect = {};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

HWND TestWindow::AddButton(int x, int y, int width, int height) {
  return CreateWindowExW(0, L"BUTTON", L"inside", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y,
                         width, height, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void SessionRulesTest::SetUp() {
  testing_support::ClearClipboard();
  dui::Widget::SetHooks(&hooks_);
  // A balloon under the pointer would stay for as long as the pointer does.
  SetCursorPos(1900, 1060);
}

void SessionRulesTest::TearDown() {
  dui::Widget::SetHooks(nullptr);
}

}  // namespace capture_test
