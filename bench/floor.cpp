// The floor of the latency benchmark: about the least a Win32 program under Wine does for a
// mouse move. A topmost window over the whole screen, grey once it has painted (for the
// start-up measure), that paints a 9 x 9 mark where the mouse is, black and white in turn.
// Esc or a click ends it.
#include <windows.h>
#include <windowsx.h>

namespace {

constexpr int kMarkReach = 4;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  static bool black = false;
  switch (message) {
    case WM_MOUSEMOVE: {
      const int x = GET_X_LPARAM(lparam);
      const int y = GET_Y_LPARAM(lparam);
      const RECT mark = {x - kMarkReach, y - kMarkReach, x + kMarkReach + 1, y + kMarkReach + 1};
      HDC dc = GetDC(window);
      black = !black;
      FillRect(dc, &mark, static_cast<HBRUSH>(GetStockObject(black ? BLACK_BRUSH : WHITE_BRUSH)));
      ReleaseDC(window, dc);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE)
        DestroyWindow(window);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = &WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"PictorBenchFloor";
  RegisterClassW(&window_class);
  CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, window_class.lpszClassName, L"floor",
                  WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                  GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
