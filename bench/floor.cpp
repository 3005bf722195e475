// The floor of the latency benchmark: about the least a Win32 program under Wine does for a
// mouse move. A topmost window over the whole screen, grey once it has painted (for the
// start-up measure), that paints a 9 x 9 mark where the mouse is, black and white in turn.
// Esc or a click ends it. Two variants give the floor of steps the tool cannot skip:
//   follower  also moves a layered window of the magnifier's size with new content to
//             20 pixels right of and below the mouse on each move, as the magnifier and
//             the toolbar must;
//   snapshot  copies the screen at the start and shows the copy (inverted, so that the
//             start shows) instead of grey, as a capture tool must;
//   pictures  the floor of memory: copies the screen and holds it, a dimmed copy of it and
//             a working picture with the dimmed copy on it, and shows the working picture.
#include <windows.h>
#include <windowsx.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr int kMarkReach = 4;
constexpr int kFollowerWidth = 119;
constexpr int kFollowerHeight = 133;
constexpr int kFollowerOffset = 20;

HDC g_snapshot = nullptr;
HDC g_dimmed = nullptr;
HDC g_working = nullptr;
HDC g_follower_picture = nullptr;
uint32_t* g_follower_pixels = nullptr;
HWND g_follower = nullptr;

void CopyScreen(const RECT& desktop) {
  const int width = desktop.right - desktop.left;
  const int height = desktop.bottom - desktop.top;
  HDC screen = GetDC(nullptr);
  g_snapshot = CreateCompatibleDC(screen);
  SelectObject(g_snapshot, CreateCompatibleBitmap(screen, width, height));
  BitBlt(g_snapshot, 0, 0, width, height, screen, desktop.left, desktop.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

HDC MakePicture(int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC picture = CreateCompatibleDC(screen);
  SelectObject(picture, CreateCompatibleBitmap(screen, width, height));
  ReleaseDC(nullptr, screen);
  return picture;
}

void MakeDimmedAndWorkingPictures(const RECT& desktop) {
  const int width = desktop.right - desktop.left;
  const int height = desktop.bottom - desktop.top;
  g_dimmed = MakePicture(width, height);
  const BLENDFUNCTION dim = {AC_SRC_OVER, 0, 153, 0};
  AlphaBlend(g_dimmed, 0, 0, width, height, g_snapshot, 0, 0, width, height, dim);
  g_working = MakePicture(width, height);
  BitBlt(g_working, 0, 0, width, height, g_dimmed, 0, 0, SRCCOPY);
}

void CreateFollower(HINSTANCE instance) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kFollowerWidth;
  info.bmiHeader.biHeight = -kFollowerHeight;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  g_follower_picture = CreateCompatibleDC(nullptr);
  SelectObject(g_follower_picture,
               CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  g_follower_pixels = static_cast<uint32_t*>(bits);
  g_follower = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                               L"STATIC", L"follower", WS_POPUP, 0, 0, kFollowerWidth,
                               kFollowerHeight, nullptr, nullptr, instance, nullptr);
}

// New, opaque content at the new place in one call, as the tool's pop-ups are shown.
void MoveFollower(int x, int y, bool black) {
  const uint32_t colour = black ? 0xFF000000 : 0xFFFFFFFF;
  for (int i = 0; i < kFollowerWidth * kFollowerHeight; ++i)
    g_follower_pixels[i] = colour;
  POINT position = {x + kFollowerOffset, y + kFollowerOffset};
  SIZE size = {kFollowerWidth, kFollowerHeight};
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(g_follower, nullptr, &position, &size, g_follower_picture, &source, 0, &blend,
                      ULW_ALPHA);
  ShowWindow(g_follower, SW_SHOWNOACTIVATE);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const RECT& area = paint.rcPaint;
  if (g_working) {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, g_working,
           area.left, area.top, SRCCOPY);
  } else if (g_snapshot) {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, g_snapshot,
           area.left, area.top, NOTSRCCOPY);
  } else {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  }
  EndPaint(window, &paint);
}

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
      if (g_follower)
        MoveFollower(x, y, black);
      return 0;
    }
    case WM_PAINT:
      Paint(window);
      return 0;
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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  // The whole desktop, every monitor, as the tool covers and copies it.
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const RECT desktop = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const bool pictures = wcscmp(command_line, L"pictures") == 0;
  if (pictures || wcscmp(command_line, L"snapshot") == 0)
    CopyScreen(desktop);
  if (pictures)
    MakeDimmedAndWorkingPictures(desktop);
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = &WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"PictorBenchFloor";
  RegisterClassW(&window_class);
  CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, window_class.lpszClassName, L"floor",
                  WS_POPUP | WS_VISIBLE, desktop.left, desktop.top, desktop.right - desktop.left,
                  desktop.bottom - desktop.top, nullptr, nullptr, instance, nullptr);
  if (wcscmp(command_line, L"follower") == 0)
    CreateFollower(instance);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
