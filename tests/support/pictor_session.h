#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace testing_support {

// The path of the program under test, built beside the test executables.
std::wstring PictorPath();

// Whether `window` is the saved-file balloon: 298 x 138.
bool IsBalloon(HWND window);

// One run of pictor.exe, started by a test and ended by it: the capture window is found
// once it covers the screen. A session still running when the object dies is killed.
class PictorSession {
 public:
  explicit PictorSession(const std::vector<std::wstring>& arguments = {},
                         const std::wstring& program = PictorPath(),
                         const std::wstring& working_folder = std::wstring());

  ChildProcess& process() { return process_; }

  // Waits until the capture window is visible over the whole screen.
  [[nodiscard]] bool WaitForCaptureWindow(DWORD timeout_ms = 15000);
  HWND capture_window() const { return capture_window_; }

  // Gives the capture window the keyboard and presses the keys (X names, "Escape").
  [[nodiscard]] bool PressKeys(const std::string& keys);

  [[nodiscard]] bool WaitForExit(DWORD timeout_ms = 15000) {
    return process_.WaitForExit(timeout_ms);
  }
  int exit_code() const { return process_.exit_code(); }

  // Waits for the end of the process, noting in `*seen` whether one of its visible windows
  // was `accept`ed meanwhile.
  [[nodiscard]] bool WaitForExitSeeing(bool (*accept)(HWND), bool* seen, DWORD timeout_ms = 15000);

 private:
  void ReportNoCaptureWindow() const;

  ChildProcess process_;
  HWND capture_window_ = nullptr;
};

}  // namespace testing_support
