// The capture window's dialog procedure: mouse and keyboard input.
#include "capture/capture_window.h"

#include "base/process_state.h"

namespace {

CaptureWindow* FromWindow(HWND hwnd) {
  return reinterpret_cast<CaptureWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

INT_PTR CALLBACK CaptureWindow::DialogProc(HWND hwnd, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* window = reinterpret_cast<CaptureWindow*>(lparam);
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    SetWindowPos(hwnd, HWND_TOPMOST, desktop.left, desktop.top, desktop.right - desktop.left,
                 desktop.bottom - desktop.top, SWP_SHOWWINDOW | SWP_NOREDRAW);
    if (window)
      window->OnInitDialog(hwnd);
    return TRUE;
  }
  CaptureWindow* window = FromWindow(hwnd);
  if (!window)
    return FALSE;
  return window->HandleMessage(message, wparam, lparam);
}

void CaptureWindow::OnInitDialog(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  PaintOverlay(false, 0, 0);
}

INT_PTR CaptureWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
      OnKeyDown(static_cast<int>(wparam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        OnCloseCommand(lparam);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

void CaptureWindow::OnKeyDown(int virtual_key) {
  if (state_ == SelectionState::kDetecting && virtual_key == VK_ESCAPE)
    Close(0);
}

void CaptureWindow::Close(LPARAM lparam) {
  PostMessageW(hwnd_, WM_COMMAND, IDCANCEL, lparam);
}

// The process ends with the window unless a save left the balloon on screen to end it.
void CaptureWindow::OnCloseCommand(LPARAM lparam) {
  HWND hwnd = hwnd_;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
  if ((!copied_ && !saved_) || lparam == 1)
    PostQuitMessage(0);
}
