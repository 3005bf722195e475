#pragma once

#include <windows.h>

namespace testing_support {

// A visible top-level window of the test process that shows a known pattern, so that
// tests can tell what the program copied from where.
class PatternWindow {
 public:
  PatternWindow(int x, int y, int width, int height);
  ~PatternWindow();

  PatternWindow(const PatternWindow&) = delete;
  PatternWindow& operator=(const PatternWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  RECT rect() const;

  // The colour of the pattern at (x, y) of the window.
  static COLORREF PatternAt(int x, int y);

  // Waits until the screen shows the pattern.
  [[nodiscard]] bool WaitUntilShown();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  int width_;
  int height_;
};

}  // namespace testing_support
