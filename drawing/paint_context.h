#pragma once

#include <windows.h>

#include "base/scoped_gdi_object.h"

// What one painting pass over the shape list hands each shape it paints: the part of the
// selection that no mosaic has painted yet in the pass, and whether a mosaic could not
// paint. KMosac clips each piece of a stroke to the region and removes the piece from it,
// so that within one pass every pixel is pixelated at most once, by the first piece that
// covers it. The painter of the shapes makes one for each pass, on the stack; a context
// made without a selection stands for no pass at all. UI thread only.
class PaintContext {
 public:
  // Outside any pass: there is no region, and a mosaic cannot paint.
  PaintContext() = default;
  // A pass over `selection`, no part of which a mosaic has painted yet.
  explicit PaintContext(const RECT& selection);
  // A pass that goes on where an earlier one over the same selection stopped: the region
  // starts as a copy of `left_by_earlier_pass`.
  PaintContext(const RECT& selection, HRGN left_by_earlier_pass);

  PaintContext(const PaintContext&) = delete;
  PaintContext& operator=(const PaintContext&) = delete;

  // What the pass has left unpainted by mosaics so far; null outside a pass or without the
  // memory for the region.
  HRGN mosaic_region() const { return region_.get(); }
  // Copies what the pass has left unpainted so far into `region`.
  void CopyRegionTo(HRGN region) const;

  // A mosaic could not paint in this pass (without memory for its work picture or its
  // region): what the pass painted may show in clear what it would hide.
  void MosaicFailed() { mosaic_failed_ = true; }
  bool mosaic_failed() const { return mosaic_failed_; }

 private:
  base::ScopedRegion region_;
  bool mosaic_failed_ = false;
};
