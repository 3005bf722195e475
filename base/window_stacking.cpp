#include "base/window_stacking.h"

namespace base {

bool IsOnTop(HWND window) {
  return !GetWindow(window, GW_HWNDPREV);
}

void PlaceOnTop(HWND window, int x, int y, int width, int height, UINT flags) {
  if (IsOnTop(window))
    flags |= SWP_NOZORDER;
  SetWindowPos(window, HWND_TOPMOST, x, y, width, height, flags);
}

}  // namespace base
