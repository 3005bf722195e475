#include "app/float_window.h"

HWND float_window_ = nullptr;

namespace {

constexpr wchar_t kFloatWindowProperty[] = L"SmallFloatWin";
constexpr ULONG_PTR kFloatWindowMark = 1234;
constexpr wchar_t kStartMessageName[] = L"pictor_{837163F5-E4B2-4808-BC91-33833EC19479}";
constexpr UINT kStartMessageTimeoutMs = 500;

BOOL CALLBACK FindFloatWindow(HWND window, LPARAM found) {
  if (reinterpret_cast<ULONG_PTR>(GetPropW(window, kFloatWindowProperty)) != kFloatWindowMark)
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

void NotifyFloatWindow() {
  if (!IsWindow(float_window_)) {
    float_window_ = nullptr;
    EnumWindows(&FindFloatWindow, reinterpret_cast<LPARAM>(&float_window_));
  }
  const UINT start_message = RegisterWindowMessageW(kStartMessageName);
  if (float_window_) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(float_window_, start_message, 0, 0, SMTO_BLOCK, kStartMessageTimeoutMs,
                        &result);
  }
}
