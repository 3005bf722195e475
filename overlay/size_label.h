#pragma once

#include <windows.h>

#include "base/dpi_scale.h"
#include "base/scoped_gdi_object.h"
#include "overlay/overlay_sprite.h"

// The label above the selection that reads its width and height. Keeps its fonts and the
// background made at the size of the last label, as a frame draws it anew on every move.
// UI thread only.
class SizeLabel {
 public:
  // Lays out the label of `selection`, measured on `dc`, on `monitor` at its `scale` and out
  // of the way of `toolbar` (null without one); the area it will cover.
  RECT Layout(HDC dc,
              const RECT& selection,
              const RECT& monitor,
              base::DpiScale scale,
              const RECT* toolbar);
  // Draws the label as last laid out on `dc`.
  void Draw(HDC dc);

 private:
  // The fonts at `scale`, made anew when the scale changes.
  void MakeFonts(base::DpiScale scale);
  // The background at the size of the label, remade when the size changes.
  void PrepareBackground();

  base::ScopedFont measuring_font_;
  base::ScopedFont drawing_font_;
  OverlaySprite background_;
  wchar_t text_[64] = {};
  RECT rect_ = {};
  base::DpiScale scale_;
};
