#include "tests/support/pictor_session.h"

#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace testing_support {
namespace {

bool CoversScreen(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.left == 0 && rect.top == 0 && rect.right == GetSystemMetrics(SM_CXSCREEN) &&
         rect.bottom == GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace

bool IsBalloon(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.right - rect.left == 298 && rect.bottom - rect.top == 138;
}

std::wstring PictorPath() {
  return BinaryFolder() + L"pictor.exe";
}

PictorSession::PictorSession(const std::vector<std::wstring>& arguments,
                             const std::wstring& program,
                             const std::wstring& working_folder)
    : process_(program, arguments, working_folder) {}

bool PictorSession::WaitForCaptureWindow(DWORD timeout_ms) {
  return WaitUntil(
      [&] {
        capture_window_ = process_.FindVisibleWindow(&CoversScreen);
        return capture_window_ != nullptr;
      },
      timeout_ms);
}

bool PictorSession::WaitForExitSeeing(bool (*accept)(HWND), bool* seen, DWORD timeout_ms) {
  *seen = false;
  return WaitUntil(
      [&] {
        if (process_.FindVisibleWindow(accept))
          *seen = true;
        return !process_.IsRunning();
      },
      timeout_ms);
}

bool PictorSession::PressKeys(const std::string& keys) {
  return capture_window_ && Xdo::Focus(capture_window_) && Xdo::Key(keys);
}

}  // namespace testing_support
