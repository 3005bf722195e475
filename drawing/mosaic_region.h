#pragma once

#include <windows.h>

#include "base/scoped_gdi_object.h"

// The part of the selection that no mosaic has painted yet in the current painting pass
// over the shape list; null outside a pass. KMosac clips each piece of a stroke to it and
// removes the piece from it, so that within one pass every pixel is pixelated at most once,
// by the first piece that covers it. UI thread only.
extern HRGN mosaicRegion;

// Set by a mosaic that could not paint in the current pass (without memory for its work
// picture or its region); cleared when a pass starts. UI thread only.
extern bool mosaicPassFailed;

// One painting pass over the shape list: makes `mosaicRegion` equal to the selection for as
// long as it lives and deletes it afterwards. The painter of the shapes holds one around the
// Draw calls of a pass; passes do not nest. UI thread only.
class ScopedMosaicPass {
 public:
  explicit ScopedMosaicPass(const RECT& selection);
  // A pass that goes on where an earlier one over the same selection stopped: the region
  // starts as a copy of `left_by_earlier_pass`.
  ScopedMosaicPass(const RECT& selection, HRGN left_by_earlier_pass);
  ~ScopedMosaicPass();

  // Copies what the pass has left unpainted so far into `region`.
  void CopyRegionTo(HRGN region) const;

  ScopedMosaicPass(const ScopedMosaicPass&) = delete;
  ScopedMosaicPass& operator=(const ScopedMosaicPass&) = delete;

 private:
  base::ScopedRegion region_;
};
