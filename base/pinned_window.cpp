#include "base/pinned_window.h"

#include <initializer_list>

namespace base {

// The window covers the desktop for the whole session: its system menu offers no move, size
// or minimise, and none of those commands moves it.
void RemoveMoveAndSizeCommands(HWND hwnd) {
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  if (!menu)
    return;
  for (UINT command : {SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
    DeleteMenu(menu, command, MF_BYCOMMAND);
}

bool IsMoveOrSizeCommand(WPARAM command) {
  switch (command & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_RESTORE:
      return true;
    default:
      return false;
  }
}

void PlaceTopmost(HWND hwnd, const RECT& place) {
  SetWindowPos(hwnd, HWND_TOPMOST, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_SHOWWINDOW | SWP_NOREDRAW);
}

void HoldInPlace(WINDOWPOS* position, const RECT& place) {
  if (!(position->flags & SWP_NOMOVE)) {
    position->x = place.left;
    position->y = place.top;
  }
  if (!(position->flags & SWP_NOSIZE)) {
    position->cx = place.right - place.left;
    position->cy = place.bottom - place.top;
  }
}

// A process started from another program that holds the foreground (the host suite starts
// the session from its hot key in the background) may be refused the foreground, and with
// it the keyboard. Joined to the input of the foreground window's thread for the moment of
// the call, it is not.
void TakeForeground(HWND hwnd) {
  HWND foreground = GetForegroundWindow();
  const DWORD foreground_thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  const DWORD own_thread = GetCurrentThreadId();
  const bool join = foreground_thread != 0 && foreground_thread != own_thread &&
                    AttachThreadInput(own_thread, foreground_thread, TRUE);
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);
  if (join)
    AttachThreadInput(own_thread, foreground_thread, FALSE);
}

}  // namespace base
