#include "tests/support/pattern_window.h"

#include "tests/support/desktop_grab.h"
#include "tests/support/pixel_painter.h"
#include "tests/support/wait.h"

namespace testing_support {
namespace {

constexpr wchar_t kClassName[] = L"PictorTestPattern";

}  // namespace

PatternWindow::PatternWindow(int x, int y, int width, int height) : width_(width), height_(height) {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = &PatternWindow::WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kClassName;
  RegisterClassW(&window_class);
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"pattern", WS_POPUP | WS_VISIBLE, x, y,
                          width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  InvalidateRect(hwnd_, nullptr, FALSE);
  PumpMessages();
}

PatternWindow::~PatternWindow() {
  DestroyWindow(hwnd_);
  PumpMessages();
}

RECT PatternWindow::rect() const {
  RECT rect = {};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

// Stripes of strong colours with a fine ramp inside them: neighbouring pixels differ, and
// the dimmed and undimmed pattern are told apart easily.
COLORREF PatternWindow::PatternAt(int x, int y) {
  return RGB((x * 3 + y) & 0xFF, 60 + (y * 2) % 180, (x / 8) % 2 ? 230 : 30 + x % 50);
}

bool PatternWindow::WaitUntilShown() {
  return WaitUntil([&] {
    const RECT r = rect();
    const DesktopGrab grab(r);
    for (int y = 0; y < height_; y += 37) {
      for (int x = 0; x < width_; x += 41) {
        if (grab.Pixel(r.left + x, r.top + y) != PatternAt(x, y))
          return false;
      }
    }
    return true;
  });
}

LRESULT CALLBACK PatternWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    auto* window = reinterpret_cast<PatternWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (window)
      PaintPattern(dc, 0, 0, window->width_, window->height_, &PatternWindow::PatternAt);
    EndPaint(hwnd, &paint);
    return 0;
  }
  if (message == WM_ERASEBKGND)
    return 1;
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace testing_support
