#include "tests/support/clipboard_picture.h"

#include "base/memory_bitmap.h"
#include "base/scoped_get_dc.h"

namespace testing_support {

ClipboardPicture ClipboardPicture::Read() {
  ClipboardPicture picture;
  if (!OpenClipboard(nullptr))
    return picture;
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP info = {};
  if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) {
    BITMAPINFO request = base::TopDownBitmapInfo(info.bmWidth, info.bmHeight);
    picture.pixels.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    base::ScopedGetDc screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, info.bmHeight, picture.pixels.data(), &request,
                  DIB_RGB_COLORS) == info.bmHeight) {
      picture.width = info.bmWidth;
      picture.height = info.bmHeight;
    } else {
      picture.pixels.clear();
    }
  }
  CloseClipboard();
  return picture;
}

COLORREF ClipboardPicture::Pixel(int x, int y) const {
  const uint32_t pixel = pixels[static_cast<size_t>(y) * width + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void ClearClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

testing::AssertionResult ClipboardShows(const ScreenGrab& screen, const RECT& area) {
  const ClipboardPicture picture = ClipboardPicture::Read();
  if (picture.width != area.right - area.left || picture.height != area.bottom - area.top) {
    return testing::AssertionFailure()
           << "clipboard picture " << picture.width << " x " << picture.height;
  }
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.Pixel(x, y) != screen.Pixel(area.left + x, area.top + y))
        return testing::AssertionFailure() << "differs at (" << x << ", " << y << ")";
    }
  }
  return testing::AssertionSuccess();
}

}  // namespace testing_support
