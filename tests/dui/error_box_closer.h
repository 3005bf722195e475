#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dui_testing {

inline constexpr int kStaticTextId = 0xFFFF;  // the message text of a message box
inline constexpr ULONGLONG kCloseTimeoutMs = 5000;

// Watches for message boxes captioned "Error" on another thread, keeps their texts and
// closes each with its OK button, as a user would.
class ErrorBoxCloser {
 public:
  ErrorBoxCloser() : thread_([this] { Run(); }) {}
  ~ErrorBoxCloser() {
    stop_ = true;
    thread_.join();
  }

  std::vector<std::wstring> texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void Run() {
    while (!stop_) {
      HWND box = FindWindowW(L"#32770", L"Error");
      if (!box) {
        Sleep(10);
        continue;
      }
      wchar_t text[256] = {};
      GetDlgItemTextW(box, kStaticTextId, text, 256);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        texts_.push_back(text);
      }
      // Pressed until it is gone, so that one box is counted once. A box still there after
      // five seconds is counted once more, so that the test's count of texts fails, and the
      // watch ends.
      const ULONGLONG deadline = GetTickCount64() + kCloseTimeoutMs;
      while (IsWindow(box) && !stop_) {
        if (GetTickCount64() > deadline) {
          std::lock_guard<std::mutex> lock(mutex_);
          texts_.push_back(L"(a box that did not close)");
          return;
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        Sleep(20);
      }
    }
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::thread thread_;
};

}  // namespace dui_testing
