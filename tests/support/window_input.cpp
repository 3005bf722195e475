#include "tests/support/window_input.h"

namespace testing_support {
namespace {

constexpr BYTE kKeyDown = 0x80;

void SetCtrl(BYTE state) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = state;
  SetKeyboardState(keys);
}

}  // namespace

void ClickClientPoint(HWND window, int x, int y) {
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  SendMessageW(window, WM_MOUSELEAVE, 0, 0);
}

ScopedCtrlKey::ScopedCtrlKey() {
  SetCtrl(kKeyDown);
}

ScopedCtrlKey::~ScopedCtrlKey() {
  SetCtrl(0);
}

}  // namespace testing_support
