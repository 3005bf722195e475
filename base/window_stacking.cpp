#include "base/window_stacking.h"

namespace base {

bool IsOnTop(HWND window) {
  return !GetWindow(window, GW_HWNDPREV);
}

bool IsAbove(HWND window, HWND other) {
  for (HWND above = GetWindow(other, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    if (above == window)
      return true;
  }
  return false;
}

void PlaceOnTop(HWND window, int x, int y, int width, int height, UINT flags) {
  if (IsOnTop(window))
    flags |= SWP_NOZORDER;
  SetWindowPos(window, HWND_TOPMOST, x, y, width, height, flags);
}

}  // namespace base
