// Finds the window under the mouse, so that one click selects exactly that window.
#include "capture/capture_window.h"

void CaptureWindow::ReadDescendantWindows() {
  if (windows_read_)
    return;
  windows_read_ = true;
  windows_.ReadDescendants();
}

// The window the frozen picture shows under the mouse, clipped to the desktop; where the
// picture shows no window, the highlight stays as it was.
bool CaptureWindow::DetectWindowAt(POINT point) {
  ReadDescendantWindows();
  RECT window = {};
  if (!windows_.RectAt(desktop_.ToScreen(point), &window))
    return false;
  return model_.Highlight(desktop_.FromScreen(window));
}
