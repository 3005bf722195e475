#pragma once

#include <windows.h>

#include <cstdint>

#include "base/scoped_get_dc.h"
#include "dui/rectangle.h"
#include "dui/view.h"
#include "dui/widget.h"
#include "tests/support/screen_grab.h"
#include "tests/support/wait.h"

namespace dui_testing {

// The back buffer's pixel of `widget` at client point (x, y), premultiplied 0xAARRGGBB.
inline uint32_t WidgetBufferPixel(const dui::Widget* widget, int x, int y) {
  GdiFlush();
  DIBSECTION section = {};
  HGDIOBJ bitmap = GetCurrentObject(widget->GetMemoryDC(), OBJ_BITMAP);
  if (GetObjectW(bitmap, sizeof(section), &section) != sizeof(section))
    return 0;
  const auto* bits = static_cast<const uint8_t*>(section.dsBm.bmBits);
  const int row = section.dsBm.bmHeight - 1 - y;  // bottom-up rows
  return reinterpret_cast<const uint32_t*>(bits + row * section.dsBm.bmWidthBytes)[x];
}

// A widget made by a test: initialised, placed topmost at `screen_bounds` with `content` as
// its content view, and not ending the message loop when it goes. Shown only on request.
// Closed and waited for at the end of the test unless the test destroyed it.
class TestWidget {
 public:
  explicit TestWidget(const dui::Rectangle& screen_bounds,
                      dui::View* content = nullptr,
                      HWND owner = nullptr)
      : widget_(new dui::Widget()) {
    widget_->SetSize(screen_bounds.width, screen_bounds.height);
    widget_->Init(owner);
    widget_->SetQuitOnClose(false);
    hwnd_ = widget_->GetHwnd();
    if (content) {
      content->SetBounds(0, 0, screen_bounds.width, screen_bounds.height);
      widget_->SetContentsView(content);
    }
    SetWindowPos(hwnd_, HWND_TOPMOST, screen_bounds.x, screen_bounds.y, screen_bounds.width,
                 screen_bounds.height, SWP_NOACTIVATE);
  }
  ~TestWidget() {
    if (!IsWindow(hwnd_))
      return;
    widget_->Close();
    static_cast<void>(WaitUntilGone());
  }

  TestWidget(const TestWidget&) = delete;
  TestWidget& operator=(const TestWidget&) = delete;

  dui::Widget* operator->() const { return widget_; }
  dui::Widget* get() const { return widget_; }
  HWND hwnd() const { return hwnd_; }

  // Shows the widget and waits until the screen shows `color` at client point (x, y).
  [[nodiscard]] bool ShowAndWaitFor(int x, int y, COLORREF color) {
    widget_->Show(true);
    return WaitForScreenColor(x, y, color);
  }

  // Waits until the screen shows `color` at client point (x, y), give or take one step per
  // channel.
  [[nodiscard]] bool WaitForScreenColor(int x, int y, COLORREF color) {
    RECT window = {};
    GetWindowRect(hwnd_, &window);
    return testing_support::WaitUntil(
        [&] { return IsNear(ScreenPixel(window.left + x, window.top + y), color); });
  }

  // The window, and so the widget, is gone.
  [[nodiscard]] bool WaitUntilGone() {
    return testing_support::WaitUntil([&] { return !IsWindow(hwnd_); });
  }

  // The back buffer's pixel at client point (x, y), premultiplied 0xAARRGGBB.
  uint32_t BufferPixel(int x, int y) const { return WidgetBufferPixel(widget_, x, y); }

  static COLORREF ScreenPixel(int x, int y) {
    base::ScopedGetDc screen(nullptr);
    return testing_support::ScreenGrab(screen.get(), x, y, 1, 1).Pixel(0, 0);
  }

  static bool IsNear(COLORREF a, COLORREF b) {
    auto close = [](int p, int q) { return p - q <= 1 && q - p <= 1; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
  }

 private:
  dui::Widget* widget_;
  HWND hwnd_ = nullptr;
};

}  // namespace dui_testing
