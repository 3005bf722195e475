#pragma once

#include <windows.h>

#include <vector>

#include "base/memory_bitmap.h"
#include "base/scoped_gdi_object.h"

class Drawing;

// The frozen picture with the kept shapes painted on the selection, made again only when
// the kept shapes change: a frame while a shape is drawn copies it and paints that one shape
// over it, as the one painting pass over all of them would. Screen-sized, made on first
// need. UI thread only.
class KeptShapesPicture {
 public:
  KeptShapesPicture() = default;
  KeptShapesPicture(const KeptShapesPicture&) = delete;
  KeptShapesPicture& operator=(const KeptShapesPicture&) = delete;

  // The kept shapes changed: the next Update paints them again.
  void Invalidate() { valid_ = false; }
  // Lets go of the memory.
  void Release();

  // Brings the picture up to date with `shapes` on `selection` over `picture`, a screen of
  // `width` x `height`, with `surroundings` (what a frame shows around the selection, the
  // dimmed picture) around it. False when there is no memory for it or a mosaic could not
  // be painted: the picture may then show what a mosaic hides, is not to be shown, and the
  // next Update paints it again.
  [[nodiscard]] bool Update(HDC picture,
                            HDC surroundings,
                            int width,
                            int height,
                            const RECT& selection,
                            const std::vector<Drawing*>& shapes);

  HDC dc() const { return picture_.dc(); }
  // The part of the selection that no mosaic of the kept shapes painted.
  HRGN unmosaicked() const { return unmosaicked_.get(); }

 private:
  bool Allocate(HDC picture, int width, int height);

  base::MemoryBitmap picture_;
  base::ScopedRegion unmosaicked_;
  SIZE size_ = {};
  RECT selection_ = {};
  bool valid_ = false;
};
