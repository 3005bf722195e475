// Finds the window under the mouse, so that one click selects exactly that window.
#include "capture/capture_window.h"
// The window the frozen picture shows under the mouse, clipped to the screen; where the
// picture shows no window, the highlight stays as it was.
void CaptureWindow::DetectWindowAt(int x, int y) {
  RECT window = {};
  if (!windows_.RectAt({x, y}, &window))
    return;
  const RECT screen = {0, 0, screen_width_, screen_height_};
  if (!IntersectRect(&selection_, &window, &screen))
    selection_ = {};
}
