#include "capture/overlay_sprite.h"

OverlaySprite::~OverlaySprite() {
  Reset();
}

void OverlaySprite::Reset() {
  // The bitmap is put out of the DC before either goes.
  selection_.reset();
  dc_.reset();
  bitmap_.reset();
  width_ = 0;
  height_ = 0;
}

bool OverlaySprite::Render(int width,
                           int height,
                           const std::function<void(Gdiplus::Graphics&)>& paint) {
  Reset();
  if (width <= 0 || height <= 0)
    return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as GDI+ lays them out
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_.reset(CreateCompatibleDC(nullptr));
  bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc_ || !bitmap_ || !bits) {
    Reset();
    return false;
  }
  {
    // Premultiplied, as AlphaBlend takes it.
    Gdiplus::Bitmap surface(width, height, width * 4, PixelFormat32bppPARGB,
                            static_cast<BYTE*>(bits));
    Gdiplus::Graphics graphics(&surface);
    graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    paint(graphics);
  }
  selection_ = std::make_unique<base::ScopedSelectObject>(dc_.get(), bitmap_.get());
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
  AlphaBlend(target, x, y, width_, height_, dc_.get(), 0, 0, width_, height_, blend);
}
