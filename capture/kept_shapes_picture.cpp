#include "capture/kept_shapes_picture.h"

#include "drawing/mosaic_canvas.h"
#include "drawing/paint_shapes.h"

KeptShapesPicture::~KeptShapesPicture() {
  Release();
}

void KeptShapesPicture::Release() {
  // The bitmap is put out of the DC before either goes.
  selection_in_dc_.reset();
  dc_.reset();
  bitmap_.reset();
  unmosaicked_.reset();
  size_ = {};
  valid_ = false;
}

bool KeptShapesPicture::Update(HDC picture,
                               HDC surroundings,
                               int width,
                               int height,
                               const RECT& selection,
                               const std::vector<Drawing*>& shapes) {
  if (valid_ && EqualRect(&selection, &selection_))
    return true;
  if ((size_.cx != width || size_.cy != height || !dc_) && !Allocate(picture, width, height))
    return false;
  // A mosaic block across the selection's edge averages what lies around the selection too,
  // which in a frame is the dimmed picture.
  RECT around = selection;
  InflateRect(&around, MosaicCanvas::kBlockSize, MosaicCanvas::kBlockSize);
  const RECT screen = {0, 0, width, height};
  IntersectRect(&around, &around, &screen);
  BitBlt(dc_.get(), around.left, around.top, around.right - around.left, around.bottom - around.top,
         surroundings, around.left, around.top, SRCCOPY);
  const RECT& s = selection;
  BitBlt(dc_.get(), s.left, s.top, s.right - s.left, s.bottom - s.top, picture, s.left, s.top,
         SRCCOPY);
  PaintShapesAfter(dc_.get(), selection, shapes, nullptr, unmosaicked_.get());
  selection_ = selection;
  valid_ = true;
  return true;
}

bool KeptShapesPicture::Allocate(HDC picture, int width, int height) {
  Release();
  dc_.reset(CreateCompatibleDC(picture));
  bitmap_.reset(CreateCompatibleBitmap(picture, width, height));
  unmosaicked_.reset(CreateRectRgn(0, 0, 0, 0));
  if (!dc_ || !bitmap_ || !unmosaicked_) {
    Release();
    return false;
  }
  selection_in_dc_ = std::make_unique<base::ScopedSelectObject>(dc_.get(), bitmap_.get());
  size_ = {width, height};
  return true;
}
