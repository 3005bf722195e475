#pragma once

#include <windows.h>

#include "base/scoped_gdi_object.h"
#include "capture/overlay_sprite.h"

// The label above the selection that reads its width and height. Keeps its fonts and the
// background made at the size of the last label, as a frame draws it anew on every move.
// UI thread only.
class SizeLabel {
 public:
  // Draws the label of `selection` on `dc`, laid out on a screen `screen_width` wide out of
  // the way of `toolbar` (null without one); the area it covers.
  RECT Draw(HDC dc, const RECT& selection, int screen_width, const RECT* toolbar);

 private:
  void MakeFonts(HDC dc);
  // The background at the size of `label`, remade when the size changes.
  void PrepareBackground(const RECT& label);

  base::ScopedFont measuring_font_;
  base::ScopedFont drawing_font_;
  OverlaySprite background_;
};
