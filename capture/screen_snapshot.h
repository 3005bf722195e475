#pragma once

#include <windows.h>

#include "base/desktop_geometry.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"

// The session's two desktop-sized pictures, each selected into a DC of its own for the
// whole session: the frozen copy of the screen, which the finished picture is cut from, and
// the frame the overlay is composed in. UI thread only.
class ScreenSnapshot {
 public:
  // Makes both pictures, as large as `desktop`; true when all four GDI objects exist.
  bool Create(const base::DesktopGeometry& desktop);
  // Frees them.
  void Release();
  // Copies what the screen shows of `desktop` into the frozen picture, black where no
  // monitor shows it.
  void CopyScreen(const base::DesktopGeometry& desktop);

  HDC original_dc() const { return original_dc_.get(); }
  HBITMAP original_bitmap() const { return original_bmp_.get(); }
  HDC frame_dc() const { return frame_dc_.get(); }

 private:
  void BlackOutUnshownAreas(const base::DesktopGeometry& desktop);

  base::ScopedCreateDc original_dc_;
  base::ScopedBitmap original_bmp_;
  base::ScopedCreateDc frame_dc_;
  base::ScopedBitmap frame_bmp_;
};
