#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/memory_bitmap.h"
#include "base/scoped_gdi_object.h"

class Drawing;

// The frozen picture with the kept shapes painted on the selection, made again only when
// the kept shapes change: a frame while a shape is drawn copies it and paints that one shape
// over it, as the one painting pass over all of them would. A stroke being drawn that paints
// piece by piece goes onto the picture itself, each piece once, as it grows. Screen-sized,
// made on first need. UI thread only.
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
  // `width` x `height` whose 32-bit pixels, rows top-down, `pixels` gives, with what a frame
  // shows around the selection (the picture dimmed) around it, and with `stroke` over them: the
  // shape being drawn when it paints piece by piece, else null. `changed` receives where the
  // picture changed other than by a change of the kept shapes: the stroke's new pieces, or where a
  // stroke lay that is no longer drawn. False when there is no memory for it or a mosaic could not
  // be painted: the picture may then show what a mosaic hides, is not to be shown, and the next
  // Update paints it again.
  [[nodiscard]] bool Update(HDC picture,
                            const uint32_t* pixels,
                            int width,
                            int height,
                            const RECT& selection,
                            const std::vector<Drawing*>& shapes,
                            Drawing* stroke,
                            RECT* changed);
  // Whether a stroke lies on the picture.
  bool holds_stroke() const { return !stroke_points_.empty(); }

  HDC dc() const { return picture_.dc(); }
  // The part of the selection that no mosaic of the kept shapes painted.
  HRGN unmosaicked() const { return unmosaicked_.get(); }

 private:
  bool Allocate(int width, int height);
  bool PaintKeptShapes(HDC picture, const uint32_t* pixels, const std::vector<Drawing*>& shapes);
  // Whether the stroke on the picture is the beginning of `stroke`.
  bool HoldsBeginningOf(const Drawing& stroke) const;
  // Paints the pieces of `stroke` the picture does not hold yet; adds where to `changed`.
  bool ExtendStroke(Drawing* stroke, RECT* changed);
  void ForgetStroke();

  base::MemoryBitmap picture_;
  base::ScopedRegion unmosaicked_;
  SIZE size_ = {};
  RECT selection_ = {};
  bool valid_ = false;
  // The points of the stroke whose pieces lie on the picture, the brush's radius, the part of
  // the selection that neither its pieces nor the kept shapes' mosaics painted, and the
  // area its pieces changed.
  std::vector<POINT> stroke_points_;
  int stroke_radius_ = 0;
  base::ScopedRegion stroke_unmosaicked_;
  RECT stroke_area_ = {};
};
