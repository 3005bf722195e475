#pragma once

#include <windows.h>

namespace base {

// The device context of a window (or of the whole screen for a null window), taken with
// GetDC and given back with ReleaseDC.
class ScopedGetDc {
 public:
  explicit ScopedGetDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  ~ScopedGetDc() {
    if (dc_)
      ReleaseDC(window_, dc_);
  }

  ScopedGetDc(const ScopedGetDc&) = delete;
  ScopedGetDc& operator=(const ScopedGetDc&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace base
