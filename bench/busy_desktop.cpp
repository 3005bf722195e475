// A desktop as busy as a real one, for the latency benchmark: top-level windows (200 unless
// the first argument says otherwise), each with child windows (10 unless the second says),
// overlapping one another over the whole screen, each painted with a pattern that differs in
// every 10-pixel block, so that a mosaic over it always changes what shows.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kClassName[] = L"PictorBenchBusy";

COLORREF PatternAt(int x, int y) {
  return RGB((x * 7 + y * 3) & 0xFF, (x * 3 + y * 5) & 0xFF, ((x ^ y) * 5) & 0xFF);
}

void PaintPattern(HWND window, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF color = PatternAt(x, y);
      pixels[static_cast<size_t>(y) * width + x] =
          (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    }
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintPattern(window, dc);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const int windows = __argc > 1 ? _wtoi(__wargv[1]) : 200;
  const int children = __argc > 2 ? _wtoi(__wargv[2]) : 10;
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = &WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kClassName;
  RegisterClassW(&window_class);
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const int screen_height = GetSystemMetrics(SM_CYSCREEN);
  // A grid of cells, each window a cell and a half wide and high, so that they overlap.
  int columns = 1;
  while (columns * columns < windows)
    ++columns;
  const int cell_width = screen_width / columns;
  const int cell_height = screen_height / columns;
  for (int i = 0; i < windows; ++i) {
    const int x = (i % columns) * cell_width;
    const int y = (i / columns) * cell_height;
    const std::wstring title = L"busy " + std::to_wstring(i);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, title.c_str(),
                                  WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, cell_width * 3 / 2,
                                  cell_height * 3 / 2, nullptr, nullptr, instance, nullptr);
    for (int c = 0; c < children; ++c) {
      const std::wstring text = L"item " + std::to_wstring(c);
      CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER,
                      4 + (c % 5) * (cell_width / 6), 4 + (c / 5) * 24, cell_width / 7, 20, window,
                      nullptr, instance, nullptr);
    }
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
