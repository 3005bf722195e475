#pragma once

#include <windows.h>

namespace base {

// Owns a memory device context made by CreateCompatibleDC and frees it with DeleteDC.
class ScopedCreateDc {
 public:
  ScopedCreateDc() = default;
  explicit ScopedCreateDc(HDC dc) noexcept : dc_(dc) {}
  ~ScopedCreateDc() { reset(); }

  ScopedCreateDc(ScopedCreateDc&& other) noexcept : dc_(other.release()) {}
  ScopedCreateDc& operator=(ScopedCreateDc&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ScopedCreateDc(const ScopedCreateDc&) = delete;
  ScopedCreateDc& operator=(const ScopedCreateDc&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

  [[nodiscard]] HDC release() noexcept {
    HDC dc = dc_;
    dc_ = nullptr;
    return dc;
  }

  void reset(HDC dc = nullptr) noexcept {
    if (dc_)
      DeleteDC(dc_);
    dc_ = dc;
  }

 private:
  HDC dc_ = nullptr;
};

}  // namespace base
