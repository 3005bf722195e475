#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

// Polls `condition` until it holds or `timeout_ms` has passed, dispatching this thread's
// window messages meanwhile. True when the condition held.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition, DWORD timeout_ms = 15000);

// Dispatches this thread's pending window messages.
void PumpMessages();

}  // namespace testing_support
