#include "tests/support/pictor_session.h"

#include <cstdio>

#include "tests/support/test_paths.h"
#include "tests/support/wait.h"
#include "tests/support/xdo.h"

namespace testing_support {
namespace {

bool CoversScreen(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return rect.left == left && rect.top == top &&
         rect.right == left + GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
         rect.bottom == top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

// Prints a top-level window of the process whose id `lparam` points to.
BOOL CALLBACK PrintWindowOf(HWND window, LPARAM lparam) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != *reinterpret_cast<const DWORD*>(lparam))
    return TRUE;
  RECT rect = {};
  GetWindowRect(window, &rect);
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  std::fprintf(stderr, "  %p \"%ls\" (%ld, %ld, %ld, %ld)%s\n", static_cast<void*>(window), title,
               rect.left, rect.top, rect.right, rect.bottom,
               IsWindowVisible(window) ? "" : " hidden");
  return TRUE;
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
  const bool found = WaitUntil(
      [&] {
        capture_window_ = process_.FindVisibleWindow(&CoversScreen);
        return capture_window_ != nullptr;
      },
      timeout_ms);
  if (!found)
    ReportNoCaptureWindow();
  return found;
}

// A start that shows no capture window is rare and does not repeat at will: what the
// process was doing then is all there is to go on.
void PictorSession::ReportNoCaptureWindow() const {
  std::fprintf(stderr, "pictor.exe shows no capture window: ");
  if (process_.IsRunning())
    std::fprintf(stderr, "it is running, with these top-level windows:\n");
  else
    std::fprintf(stderr, "it ended with exit code %d\n", process_.exit_code());
  DWORD process_id = process_.id();
  EnumWindows(&PrintWindowOf, reinterpret_cast<LPARAM>(&process_id));
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
