#include "output/clipboard.h"

#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"

namespace {

constexpr Gdiplus::ARGB kOpaqueWhite = 0xFFFFFFFF;

// A screen-compatible bitmap of the picture on white, as the clipboard takes it.
base::ScopedBitmap MakeClipboardBitmap(Gdiplus::Bitmap& picture) {
  const int width = static_cast<int>(picture.GetWidth());
  const int height = static_cast<int>(picture.GetHeight());
  base::ScopedGetDc screen(nullptr);
  base::ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  base::ScopedCreateDc memory(CreateCompatibleDC(screen.get()));
  if (!bitmap || !memory)
    return {};
  base::ScopedSelectObject select(memory.get(), bitmap.get());
  {
    Gdiplus::Graphics graphics(memory.get());
    Gdiplus::SolidBrush white{Gdiplus::Color(kOpaqueWhite)};
    graphics.FillRectangle(&white, 0, 0, width, height);
    graphics.DrawImage(&picture, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height,
                       Gdiplus::UnitPixel);
  }
  return bitmap;
}

}  // namespace

bool PutOnClipboard(HWND owner, Gdiplus::Bitmap& picture) {
  base::ScopedBitmap bitmap = MakeClipboardBitmap(picture);
  if (!bitmap || !OpenClipboard(owner))
    return false;
  EmptyClipboard();
  // From here on the clipboard owns the bitmap.
  const bool placed = SetClipboardData(CF_BITMAP, bitmap.get()) != nullptr;
  if (placed)
    (void)bitmap.release();
  CloseClipboard();
  return placed;
}
