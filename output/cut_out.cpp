#include "output/cut_out.h"

std::unique_ptr<Gdiplus::Bitmap> CutOut(HBITMAP bitmap, const RECT& area) {
  std::unique_ptr<Gdiplus::Bitmap> whole(Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr));
  if (!whole || whole->GetLastStatus() != Gdiplus::Ok)
    return nullptr;
  const Gdiplus::Rect rect(area.left, area.top, area.right - area.left, area.bottom - area.top);
  std::unique_ptr<Gdiplus::Bitmap> part(whole->Clone(rect, whole->GetPixelFormat()));
  if (!part || part->GetLastStatus() != Gdiplus::Ok)
    return nullptr;
  return part;
}
