#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

inline constexpr int kMessageBoxTextId = 0xFFFF;  // the message text of a message box
inline constexpr ULONGLONG kMessageBoxCloseTimeoutMs = 5000;

// Watches for message boxes with the caption `caption` on another thread, keeps their texts
// and answers each with `button` (IDOK, IDYES, IDNO), as a user would.
class MessageBoxCloser {
 public:
  explicit MessageBoxCloser(const wchar_t* caption, int button = IDOK)
      : caption_(caption), button_(button), thread_([this] { Run(); }) {}
  ~MessageBoxCloser() {
    stop_ = true;
    thread_.join();
  }

  MessageBoxCloser(const MessageBoxCloser&) = delete;
  MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

  std::vector<std::wstring> texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void Run() {
    while (!stop_) {
      HWND box = FindWindowW(L"#32770", caption_.c_str());
      wchar_t text[1024] = {};
      if (!box || !GetDlgItemTextW(box, kMessageBoxTextId, text, 1024)) {
        Sleep(10);
        continue;
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        texts_.push_back(text);
      }
      // Pressed until it is gone, so that one box is counted once. A box still there after
      // five seconds is counted once more, so that the test's count of texts fails, and the
      // watch ends.
      const ULONGLONG deadline = GetTickCount64() + kMessageBoxCloseTimeoutMs;
      while (IsWindow(box) && !stop_) {
        if (GetTickCount64() > deadline) {
          std::lock_guard<std::mutex> lock(mutex_);
          texts_.push_back(L"(a box that did not close)");
          return;
        }
        PostMessageW(box, WM_COMMAND, button_, 0);
        Sleep(20);
      }
    }
  }

  const std::wstring caption_;
  const int button_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::thread thread_;
};

}  // namespace testing_support
