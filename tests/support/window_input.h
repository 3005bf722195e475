#pragma once

#include <windows.h>

namespace testing_support {

// A click at client point (x, y) of `window` as its window procedure sees one: the mouse
// comes in, the button goes down and up, the mouse leaves.
void ClickClientPoint(HWND window, int x, int y);

// Holds Ctrl down in this thread's keyboard state while the object lives, as the key state
// functions read it.
class ScopedCtrlKey {
 public:
  ScopedCtrlKey();
  ~ScopedCtrlKey();

  ScopedCtrlKey(const ScopedCtrlKey&) = delete;
  ScopedCtrlKey& operator=(const ScopedCtrlKey&) = delete;
};

}  // namespace testing_support
