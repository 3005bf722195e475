#include "tests/support/wait.h"

namespace testing_support {
namespace {

// Polls `condition` while dispatching messages; `quit` records a quit message on the way.
bool PollWhilePumping(const std::function<bool()>& condition, DWORD timeout_ms, bool* quit) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (PumpMessages())
      *quit = true;
    if (condition())
      return true;
    if (GetTickCount64() >= deadline)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

}  // namespace

bool PumpMessages() {
  bool quit = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return quit;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  bool quit = false;
  return PollWhilePumping(condition, timeout_ms, &quit);
}

bool WaitForQuitMessage(DWORD timeout_ms) {
  bool quit = false;
  return PollWhilePumping([&] { return quit; }, timeout_ms, &quit);
}

}  // namespace testing_support
