#pragma once

#include <windows.h>

namespace base {

// Selects a GDI object into a device context and puts the previous object back when it
// goes out of scope. Declare it after the owner of the object, so that the object is
// deselected before it is deleted.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelectObject() {
    if (previous_)
      SelectObject(dc_, previous_);
  }

  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace base
