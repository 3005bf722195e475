// Finds the window under the mouse, so that one click selects exactly that window.
#include "capture/capture_window.h"

void CaptureWindow::ReadDescendantWindows() {
  if (windows_read_)
    return;
  windows_read_ = true;
  windows_.ReadDescendants();
}

// The window the frozen picture shows under the mouse, clipped to the screen; where the
// picture shows no window, the highlight stays as it was.
void CaptureWindow::DetectWindowAt(int x, int y) {
  ReadDescendantWindows();
  RECT window = {};
  if (!windows_.RectAt({x, y}, &window))
    return;
  const RECT screen = {0, 0, screen_width_, screen_height_};
  if (!IntersectRect(&selection_, &window, &screen))
    selection_ = {};
}
