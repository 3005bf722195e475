#pragma once

#include <cstdint>
#include <memory>

#include "base/gdiplus.h"
#include "dui/res_manager.h"
#include "dui/view.h"

namespace dui_testing {

// A transparent premultiplied bitmap of `width` x `height`.
inline std::unique_ptr<Gdiplus::Bitmap> TransparentBitmap(int width, int height) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppPARGB);
  Gdiplus::Graphics g(bitmap.get());
  g.Clear(Gdiplus::Color(0, 0, 0, 0));
  return bitmap;
}

// `view` (placed at 0, 0) painted alone as a root is, into a transparent bitmap.
inline std::unique_ptr<Gdiplus::Bitmap> Render(dui::View& view, int width, int height) {
  auto bitmap = TransparentBitmap(width, height);
  Gdiplus::Graphics g(bitmap.get());
  view.Paint(g, view.GetLocalBounds());
  return bitmap;
}

// Image `id` of the resource manager drawn at (0, 0) at its own size.
inline std::unique_ptr<Gdiplus::Bitmap> RenderImage(int id, int width, int height) {
  auto bitmap = TransparentBitmap(width, height);
  Gdiplus::Graphics g(bitmap.get());
  Gdiplus::Image* image = dui::ResManager::GetInstance()->GetImage(id);
  const int w = static_cast<int>(image->GetWidth());
  const int h = static_cast<int>(image->GetHeight());
  g.DrawImage(image, Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel);
  return bitmap;
}

// The stored (premultiplied) 0xAARRGGBB value at (x, y).
inline uint32_t RawPixel(Gdiplus::Bitmap& bitmap, int x, int y) {
  Gdiplus::BitmapData data;
  Gdiplus::Rect area(x, y, 1, 1);
  if (bitmap.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) !=
      Gdiplus::Ok)
    return 0;
  const uint32_t value = *static_cast<const uint32_t*>(data.Scan0);
  bitmap.UnlockBits(&data);
  return value;
}

// Whether two bitmaps of the same size hold the same pixels.
inline bool SamePixels(Gdiplus::Bitmap& a, Gdiplus::Bitmap& b) {
  for (UINT y = 0; y < a.GetHeight(); ++y) {
    for (UINT x = 0; x < a.GetWidth(); ++x) {
      if (RawPixel(a, x, y) != RawPixel(b, x, y))
        return false;
    }
  }
  return true;
}

}  // namespace dui_testing
