#include "capture/screen_snapshot.h"

#include <cstdio>

#include "base/scoped_get_dc.h"

namespace {

// SRCCOPY with CAPTUREBLT, so that layered windows are part of the copy.
constexpr DWORD kScreenCopyRop = SRCCOPY | CAPTUREBLT;

// The diagnostic of a failed bitmap; nobody reads it but a debugger.
void ReportBitmapFailure(const char* name) {
  char text[160];
  std::snprintf(text, sizeof(text), "%s = CreateCompatibleBitmap failed, GetLastError() is %d\n",
                name, static_cast<int>(GetLastError()));
  OutputDebugStringA(text);
}

}  // namespace

bool ScreenSnapshot::Create(const base::DesktopGeometry& desktop) {
  {
    base::ScopedGetDc desktop_dc(GetDesktopWindow());
    frame_bmp_.reset(CreateCompatibleBitmap(desktop_dc.get(), desktop.width(), desktop.height()));
    if (!frame_bmp_)
      ReportBitmapFailure("mem_bmp_");
    original_bmp_.reset(
        CreateCompatibleBitmap(desktop_dc.get(), desktop.width(), desktop.height()));
    if (!original_bmp_)
      ReportBitmapFailure("original_bmp_");
    frame_dc_.reset(CreateCompatibleDC(desktop_dc.get()));
    original_dc_.reset(CreateCompatibleDC(desktop_dc.get()));
  }
  // Each bitmap stays selected in its DC for the whole session.
  if (frame_dc_ && frame_bmp_)
    SelectObject(frame_dc_.get(), frame_bmp_.get());
  if (original_dc_ && original_bmp_)
    SelectObject(original_dc_.get(), original_bmp_.get());
  return frame_bmp_ && frame_dc_ && original_bmp_ && original_dc_;
}

void ScreenSnapshot::Release() {
  // A bitmap cannot be deleted while it is selected, so each DC goes before its bitmap.
  original_dc_.reset();
  original_bmp_.reset();
  frame_dc_.reset();
  frame_bmp_.reset();
}

void ScreenSnapshot::CopyScreen(const base::DesktopGeometry& desktop) {
  {
    base::ScopedGetDc screen_dc(nullptr);
    BitBlt(original_dc_.get(), 0, 0, desktop.width(), desktop.height(), screen_dc.get(),
           desktop.bounds().left, desktop.bounds().top, kScreenCopyRop);
  }
  BlackOutUnshownAreas(desktop);
}

// What the screen copy reads where no monitor shows the desktop is whatever the system
// keeps there; the picture shows black, and a selection across it copies black.
void ScreenSnapshot::BlackOutUnshownAreas(const base::DesktopGeometry& desktop) {
  const RECT area = desktop.Area();
  base::ScopedRegion unshown(CreateRectRgnIndirect(&area));
  for (const RECT& monitor : desktop.MonitorsInDesktop()) {
    base::ScopedRegion shown(CreateRectRgnIndirect(&monitor));
    CombineRgn(unshown.get(), unshown.get(), shown.get(), RGN_DIFF);
  }
  FillRgn(original_dc_.get(), unshown.get(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
