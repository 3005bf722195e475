#include "drawing/mosaic_region.h"

#include "base/assert.h"

HRGN mosaicRegion = nullptr;

ScopedMosaicPass::ScopedMosaicPass(const RECT& selection) {
  PICTOR_ASSERT(mosaicRegion == NULL, "mosaic_region");
  // A nested pass leaves the outer pass's region in place.
  if (mosaicRegion)
    return;
  region_.reset(CreateRectRgnIndirect(&selection));
  mosaicRegion = region_.get();
}

ScopedMosaicPass::~ScopedMosaicPass() {
  if (region_ && mosaicRegion == region_.get())
    mosaicRegion = nullptr;
}
