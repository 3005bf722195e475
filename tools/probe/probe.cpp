// A small helper for the run script: writes what the screen shows, or the bitmap on the
// clipboard, to a PNG file.
//   probe grab FILE.png
//   probe clipboard FILE.png
#include <windows.h>

#include <cwchar>

#include "base/gdiplus.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"
#include "capture/image_encoder.h"

namespace {

bool SaveBitmap(HBITMAP bitmap, const wchar_t* path) {
  CLSID png = {};
  if (!FindEncoder(L"image/png", &png))
    return false;
  Gdiplus::Bitmap image(bitmap, nullptr);
  return image.Save(path, &png, nullptr) == Gdiplus::Ok;
}

bool GrabScreen(const wchar_t* path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  base::ScopedGetDc screen(nullptr);
  base::ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  base::ScopedCreateDc memory(CreateCompatibleDC(screen.get()));
  {
    base::ScopedSelectObject select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  }
  return SaveBitmap(bitmap.get(), path);
}

bool SaveClipboard(const wchar_t* path) {
  if (!OpenClipboard(nullptr))
    return false;
  // The clipboard keeps the bitmap; it is only read here.
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  const bool saved = bitmap && SaveBitmap(bitmap, path);
  CloseClipboard();
  return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3)
    return 2;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  bool done = false;
  if (wcscmp(argv[1], L"grab") == 0)
    done = GrabScreen(argv[2]);
  else if (wcscmp(argv[1], L"clipboard") == 0)
    done = SaveClipboard(argv[2]);
  Gdiplus::GdiplusShutdown(token);
  return done ? 0 : 1;
}
