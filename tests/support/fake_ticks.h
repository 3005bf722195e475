#pragma once

#include <windows.h>

#include "dui/widget.h"

namespace testing_support {

// The widgets' tick counter, set by hand while the object lives.
class ScopedFakeTicks {
 public:
  explicit ScopedFakeTicks(DWORD start) {
    now() = start;
    dui::Widget::SetTickSourceForTesting(&Now);
  }
  ~ScopedFakeTicks() { dui::Widget::SetTickSourceForTesting(nullptr); }

  ScopedFakeTicks(const ScopedFakeTicks&) = delete;
  ScopedFakeTicks& operator=(const ScopedFakeTicks&) = delete;

  void Advance(DWORD ms) { now() += ms; }
  static DWORD& now() {
    static DWORD ticks = 0;
    return ticks;
  }

 private:
  static DWORD WINAPI Now() { return now(); }
};

}  // namespace testing_support
