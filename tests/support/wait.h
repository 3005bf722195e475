#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

// Polls `condition` until it holds or `timeout_ms` has passed, dispatching this thread's
// window messages meanwhile. True when the condition held.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = 15000);

// Dispatches this thread's pending window messages; true when a quit message was among
// them.
bool PumpMessages();

// Dispatches this thread's messages until a quit message arrives; false when none came
// within `timeout_ms`.
[[nodiscard]] bool WaitForQuitMessage(DWORD timeout_ms = 5000);

}  // namespace testing_support
