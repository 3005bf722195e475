#pragma once

#include <windows.h>

#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"

// A copy of one area of a picture, taken before the annotations are painted into it, so
// that a copy or save that fails can leave the picture exactly as it was.
class SelectionBackup {
 public:
  SelectionBackup(HDC picture, const RECT& area);

  SelectionBackup(const SelectionBackup&) = delete;
  SelectionBackup& operator=(const SelectionBackup&) = delete;

  // Puts the saved pixels back.
  void Restore();

 private:
  HDC picture_;
  RECT area_;
  base::ScopedCreateDc copy_dc_;
  base::ScopedBitmap copy_;
};
