#include "drawing/mosaic_region.h"

#include "base/assert.h"

HRGN mosaicRegion = nullptr;
bool mosaicPassFailed = false;

ScopedMosaicPass::ScopedMosaicPass(const RECT& selection) {
  PICTOR_ASSERT(mosaicRegion == NULL, "mosaic_region");
  // A nested pass leaves the outer pass's region in place.
  if (mosaicRegion)
    return;
  region_.reset(CreateRectRgnIndirect(&selection));
  mosaicRegion = region_.get();
  mosaicPassFailed = false;
}

ScopedMosaicPass::ScopedMosaicPass(const RECT& selection, HRGN left_by_earlier_pass)
    : ScopedMosaicPass(selection) {
  if (region_ && left_by_earlier_pass)
    CombineRgn(region_.get(), left_by_earlier_pass, nullptr, RGN_COPY);
}

void ScopedMosaicPass::CopyRegionTo(HRGN region) const {
  if (region_ && region)
    CombineRgn(region, region_.get(), nullptr, RGN_COPY);
}

ScopedMosaicPass::~ScopedMosaicPass() {
  if (region_ && mosaicRegion == region_.get())
    mosaicRegion = nullptr;
}
