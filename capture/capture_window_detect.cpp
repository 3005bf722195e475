// Finds the window under the mouse, so that one click selects exactly that window.
#include "capture/capture_window.h"

#include "capture/wnd_cap_dlg.h"
#include "dui/widget.h"

// Walks the live window tree from the top of the z-order: at each level the first visible
// window that contains the point, then the first such window among its children, and so
// on. The deepest window on that path wins; the capture window itself and the magnifier,
// which may still lie where the mouse now is, are skipped.
void CaptureWindow::DetectWindowAt(int x, int y) {
  const POINT point = {x, y};
  const HWND magnifier = WndCapDlg::host() ? WndCapDlg::host()->GetHwnd() : nullptr;
  HWND candidate = nullptr;
  HWND window = GetWindow(GetDesktopWindow(), GW_CHILD);
  while (window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    if (PtInRect(&rect, point) && IsWindowVisible(window) && window != hwnd_ &&
        window != magnifier) {
      candidate = window;
      window = GetWindow(window, GW_CHILD);
    } else {
      window = GetWindow(window, GW_HWNDNEXT);
    }
  }
  if (!candidate)
    return;

  RECT candidate_rect = {};
  RECT screen_rect = {};
  GetWindowRect(candidate, &candidate_rect);
  GetWindowRect(hwnd_, &screen_rect);
  if (!IntersectRect(&selection_, &candidate_rect, &screen_rect))
    selection_ = {};
}
