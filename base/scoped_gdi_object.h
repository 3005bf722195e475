#pragma once

#include <windows.h>

namespace base {

// Owns a GDI pen, brush, bitmap, font or region and deletes it with DeleteObject.
// Move-only; the object must not be selected into a device context when it dies.
template <typename T>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(T object) noexcept : object_(object) {}
  ~ScopedGdiObject() { reset(); }

  ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(other.release()) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

  T get() const noexcept { return object_; }
  explicit operator bool() const noexcept { return object_ != nullptr; }

  [[nodiscard]] T release() noexcept {
    T object = object_;
    object_ = nullptr;
    return object;
  }

  void reset(T object = nullptr) noexcept {
    if (object_)
      DeleteObject(object_);
    object_ = object;
  }

 private:
  T object_ = nullptr;
};

using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedRegion = ScopedGdiObject<HRGN>;

}  // namespace base
