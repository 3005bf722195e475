// Finds the window under the mouse, so that one click selects exactly that window.
#include "capture/capture_window.h"

#include "capture/wnd_cap_dlg.h"
#include "dui/widget.h"

void CaptureWindow::ReadWindows() {
  if (windows_read_)
    return;
  windows_read_ = true;
  const dui::Widget* magnifier = WndCapDlg::host();
  windows_ = WindowMap::Read({hwnd_, magnifier ? magnifier->GetHwnd() : nullptr});
}

// The window the frozen picture shows under the mouse, clipped to the screen; where the
// picture shows no window, the highlight stays as it was.
void CaptureWindow::DetectWindowAt(int x, int y) {
  ReadWindows();
  RECT window = {};
  if (!windows_.RectAt({x, y}, &window))
    return;
  const RECT screen = {0, 0, screen_width_, screen_height_};
  if (!IntersectRect(&selection_, &window, &screen))
    selection_ = {};
}
