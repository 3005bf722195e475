#pragma once

#include <windows.h>

#include <functional>

#include "base/gdiplus.h"
#include "base/memory_bitmap.h"

// A picture of the overlay made once with GDI+ and then drawn by GDI with its per-pixel
// alpha, which costs a small part of what drawing it with GDI+ on the frame's memory DC
// does each frame. UI thread only.
class OverlaySprite {
 public:
  OverlaySprite() = default;
  OverlaySprite(const OverlaySprite&) = delete;
  OverlaySprite& operator=(const OverlaySprite&) = delete;

  // Makes the sprite `width` x `height` from what `paint` draws on a transparent surface;
  // false, with the sprite empty, when there is no memory for it.
  bool Render(int width, int height, const std::function<void(Gdiplus::Graphics&)>& paint);
  // The same with `image` at its own size.
  bool RenderImage(Gdiplus::Image* image);
  void Reset();

  // Draws the sprite with its top-left corner at (x, y); nothing when it is empty.
  void Draw(HDC target, int x, int y) const;

  bool empty() const { return picture_.empty(); }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  base::MemoryBitmap picture_;
  int width_ = 0;
  int height_ = 0;
};
