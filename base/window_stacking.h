#pragma once

#include <windows.h>

namespace base {

// Changing the stacking order costs a round trip to the window system as long as a whole
// frame of the capture window, even for a window that is on top already, so windows that
// must stay on top check first.

// Whether no window lies above `window`.
bool IsOnTop(HWND window);

// Whether `window` lies above `other`.
bool IsAbove(HWND window, HWND other);

// Places `window` at (x, y), `width` x `height` (SetWindowPos `flags` besides), on top of the
// other topmost windows.
void PlaceOnTop(HWND window, int x, int y, int width, int height, UINT flags);

}  // namespace base
