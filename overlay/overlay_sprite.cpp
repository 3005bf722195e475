#include "overlay/overlay_sprite.h"

void OverlaySprite::Reset() {
  picture_.Reset();
  width_ = 0;
  height_ = 0;
}

bool OverlaySprite::Render(int width,
                           int height,
                           const std::function<void(Gdiplus::Graphics&)>& paint) {
  Reset();
  if (width <= 0 || height <= 0 || !picture_.MakeTopDown32(width, height))
    return false;
  {
    // Premultiplied, as AlphaBlend takes it.
    Gdiplus::Bitmap surface(width, height, width * 4, PixelFormat32bppPARGB,
                            static_cast<BYTE*>(picture_.bits()));
    Gdiplus::Graphics graphics(&surface);
    graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    paint(graphics);
  }
  width_ = width;
  height_ = height;
  return true;
}

bool OverlaySprite::RenderImage(Gdiplus::Image* image) {
  if (!image)
    return false;
  const int width = static_cast<int>(image->GetWidth());
  const int height = static_cast<int>(image->GetHeight());
  return Render(width, height, [&](Gdiplus::Graphics& graphics) {
    graphics.DrawImage(image, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                       Gdiplus::UnitPixel);
  });
}

void OverlaySprite::Draw(HDC target, int x, int y) const {
  if (empty())
    return;
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(target, x, y, width_, height_, picture_.dc(), 0, 0, width_, height_, blend);
}
