// Stand-in for the host suite's floating window: a hidden top-level window with the
// property "SmallFloatWin" = 1234 that records every start message it receives into the file
// named by PICTOR_FLOAT_WINDOW_RECORD. It ends on WM_CLOSE, or after a minute at the latest.
#include <windows.h>

#include <string>

#include "tests/fakes/record/record_file.h"

namespace {

constexpr wchar_t kRecordVariable[] = L"PICTOR_FLOAT_WINDOW_RECORD";
constexpr wchar_t kStartMessageName[] = L"pictor_{837163F5-E4B2-4808-BC91-33833EC19479}";
constexpr UINT_PTR kLifetimeTimer = 1;
constexpr UINT kLifetimeMs = 60000;

UINT g_start_message = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == g_start_message && g_start_message != 0) {
    fakes::AppendRecord(kRecordVariable,
                        L"start|" + std::to_wstring(wparam) + L"|" + std::to_wstring(lparam));
    return 0;
  }
  switch (message) {
    case WM_TIMER:
    case WM_CLOSE:
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
  g_start_message = RegisterWindowMessageW(kStartMessageName);
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = &WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = L"PictorFakeFloatWindow";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, window_class.lpszClassName, L"float window",
                                WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
  SetPropW(window, L"SmallFloatWin", reinterpret_cast<HANDLE>(1234));
  SetTimer(window, kLifetimeTimer, kLifetimeMs, nullptr);
  fakes::AppendRecord(kRecordVariable, L"ready");

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0)
    DispatchMessageW(&message);
  return 0;
}
