#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// A program started by a test. A process still running when the object dies is killed.
class ChildProcess {
 public:
  // Starts `program` with the given arguments (each quoted), in `working_folder` when it is
  // not empty.
  ChildProcess(const std::wstring& program,
               const std::vector<std::wstring>& arguments,
               const std::wstring& working_folder = std::wstring());
  ~ChildProcess();

  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  HANDLE handle() const { return process_; }

  // Waits for the end of the process; true when it ended within `timeout_ms`.
  [[nodiscard]] bool WaitForExit(DWORD timeout_ms);
  bool IsRunning() const;
  // The exit code as the program returned it (-1 stays -1). Only after the end.
  int exit_code() const;

  // The first visible top-level window of the process that satisfies `accept`, or null.
  HWND FindVisibleWindow(bool (*accept)(HWND) = nullptr) const;

  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace testing_support
