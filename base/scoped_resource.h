#pragma once

#include <windows.h>

#include <unknwn.h>

namespace base {

// Owns one object of a Windows handle or pointer type and frees it with `Free` when it dies.
// Move-only, with get(), release() and reset(). The aliases below name the owners the
// program uses.
template <typename T, auto Free>
class ScopedResource {
 public:
  ScopedResource() = default;
  explicit ScopedResource(T object) noexcept : object_(object) {}
  ~ScopedResource() { reset(); }

  ScopedResource(ScopedResource&& other) noexcept : object_(other.release()) {}
  ScopedResource& operator=(ScopedResource&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ScopedResource(const ScopedResource&) = delete;
  ScopedResource& operator=(const ScopedResource&) = delete;

  T get() const noexcept { return object_; }
  explicit operator bool() const noexcept { return object_ != nullptr; }

  [[nodiscard]] T release() noexcept {
    T object = object_;
    object_ = nullptr;
    return object;
  }

  void reset(T object = nullptr) noexcept {
    if (object_)
      Free(object_);
    object_ = object;
  }

 private:
  T object_ = nullptr;
};

inline void ReleaseComObject(IUnknown* object) {
  object->Release();
}

// An open registry key.
using ScopedHkey = ScopedResource<HKEY, &RegCloseKey>;
// A library loaded with LoadLibrary.
using ScopedLibrary = ScopedResource<HMODULE, &FreeLibrary>;
// A kernel object: a file, a mutex, an event. Null when there is none; a function that
// answers INVALID_HANDLE_VALUE for none is given null instead.
using ScopedHandle = ScopedResource<HANDLE, &CloseHandle>;
// A reference to a COM object, given back with Release.
template <typename Interface>
using ScopedComPtr = ScopedResource<Interface*, &ReleaseComObject>;

}  // namespace base
