#pragma once

#include <windows.h>

#include "base/desktop_geometry.h"
#include "base/memory_bitmap.h"

// The session's two desktop-sized pictures, 32-bit with rows top-down, each selected into a
// DC of its own for the whole session: the frozen copy of the screen, which the finished
// picture is cut from, and the frame the overlay is composed in. UI thread only.
class ScreenSnapshot {
 public:
  // Makes both pictures, as large as `desktop`; true when both exist.
  bool Create(const base::DesktopGeometry& desktop);
  // Frees them.
  void Release();
  // Copies what the screen shows of `desktop` into the frozen picture, black where no
  // monitor shows it.
  void CopyScreen(const base::DesktopGeometry& desktop);

  const base::MemoryBitmap& original() const { return original_; }
  const base::MemoryBitmap& frame() const { return frame_; }
  HDC original_dc() const { return original_.dc(); }
  HBITMAP original_bitmap() const { return original_.bitmap(); }
  HDC frame_dc() const { return frame_.dc(); }

 private:
  void BlackOutUnshownAreas(const base::DesktopGeometry& desktop);

  base::MemoryBitmap original_;
  base::MemoryBitmap frame_;
};
