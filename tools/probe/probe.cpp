// A small helper for the run and screenshot scripts, which drive the program from the
// Linux side and need a few things done from the Windows side:
//   probe grab FILE.png [X Y WIDTH HEIGHT]   what the screen shows (or that area of it)
//   probe clipboard FILE.png                 the bitmap on the clipboard
//   probe pixel X Y                          prints the screen's colour there as RRGGBB
//   probe has RRGGBB X Y WIDTH HEIGHT        succeeds when the screen shows that colour
//                                            anywhere in the area
//   probe toolbar                            prints the toolbar's layout as bash assignments,
//                                            at the screen's scale
//   probe place TITLE X Y WIDTH HEIGHT       moves the top-level window whose title holds
//                                            TITLE (a size of 0 x 0 keeps its size);
//                                            windows moved from the X side are framed at
//                                            their old place, as Wine still believes them
//                                            there
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "base/dpi_awareness.h"
#include "base/dpi_scale.h"
#include "base/gdiplus.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_get_dc.h"
#include "base/scoped_select_object.h"
#include "output/image_encoder.h"
#include "toolset/tool_table.h"
#include "ui/color_table_dlg.h"
#include "ui/toolbar.h"

namespace {

bool SaveBitmap(HBITMAP bitmap, const wchar_t* path) {
  CLSID png = {};
  if (!FindEncoder(L"image/png", &png))
    return false;
  Gdiplus::Bitmap image(bitmap, nullptr);
  return image.Save(path, &png, nullptr) == Gdiplus::Ok;
}

bool GrabScreen(const wchar_t* path, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  base::ScopedGetDc screen(nullptr);
  base::ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  base::ScopedCreateDc memory(CreateCompatibleDC(screen.get()));
  {
    base::ScopedSelectObject select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
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

bool PrintPixel(int x, int y) {
  base::ScopedGetDc screen(nullptr);
  const COLORREF color = GetPixel(screen.get(), x, y);
  if (color == CLR_INVALID)
    return false;
  std::printf("%02X%02X%02X\n", GetRValue(color), GetGValue(color), GetBValue(color));
  return true;
}

bool ScreenHas(COLORREF color, const RECT& area) {
  base::ScopedGetDc screen(nullptr);
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (GetPixel(screen.get(), x, y) == color)
        return true;
    }
  }
  return false;
}

// A colour written RRGGBB.
COLORREF ParseColor(const wchar_t* text) {
  const unsigned long rgb = wcstoul(text, nullptr, 16);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

struct WindowSearch {
  const wchar_t* title_part;
  HWND found;
};

BOOL CALLBACK FindByTitle(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<WindowSearch*>(lparam);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (IsWindowVisible(window) && wcsstr(title, search->title_part)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

bool PlaceWindow(const wchar_t* title_part, const RECT& place) {
  WindowSearch search = {title_part, nullptr};
  EnumWindows(&FindByTitle, reinterpret_cast<LPARAM>(&search));
  return search.found &&
         SetWindowPos(search.found, nullptr, place.left, place.top, place.right - place.left,
                      place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The toolbar's layout at the screen's scale for the scripts that click it, as bash
// assignments: its size, its gap under the selection, the picker's height, each button's middle
// (by the tool's name, or save, cancel and copy), and each tool's picker: its left from the
// toolbar's left and its width.
bool PrintToolbarLayout() {
  const base::ScopedGetDc screen(nullptr);
  const base::DpiScale scale(GetDeviceCaps(screen.get(), LOGPIXELSY));
  std::printf("TOOLBAR_WIDTH=%d\nTOOLBAR_HEIGHT=%d\nTOOLBAR_GAP=%d\nPICKER_HEIGHT=%d\n",
              scale.Scale(Toolbar::kWidth), scale.Scale(Toolbar::kHeight), scale.Scale(5),
              scale.Scale(ColorTableDlg::kHeight));
  const RECT first = Toolbar::ButtonBounds(0, true);
  std::printf("BUTTON_Y=%d\ndeclare -gA BUTTON_X=(", scale.Scale((first.top + first.bottom) / 2));
  const char* const kCommands[Toolbar::kCommandCount] = {"save", "cancel", "copy"};
  for (int slot = 0; slot < Toolbar::kButtonCount; ++slot) {
    const RECT button = Toolbar::ButtonBounds(slot, true);
    std::printf("[%s]=%d ", slot < kToolCount ? kToolRows[slot].name : kCommands[slot - kToolCount],
                scale.Scale((button.left + button.right) / 2));
  }
  std::printf(")\ndeclare -gA PICKER_X=(");
  for (const ToolRow& row : kToolRows) {
    const RECT button = Toolbar::ButtonBounds(Toolbar::SlotOf(row.tool), true);
    std::printf("[%s]=%d ", row.name, scale.Scale(button.left - Toolbar::kButtonMargin));
  }
  std::printf(")\ndeclare -gA PICKER_WIDTH=(");
  for (const ToolRow& row : kToolRows)
    std::printf("[%s]=%d ", row.name, scale.Scale(ColorTableDlg::WidthFor(row.picker.kind)));
  std::printf(")\n");
  return true;
}

// (X, Y, WIDTH, HEIGHT) from four arguments.
RECT AreaOf(wchar_t** argv) {
  const int x = _wtoi(argv[0]);
  const int y = _wtoi(argv[1]);
  return {x, y, x + _wtoi(argv[2]), y + _wtoi(argv[3])};
}

bool Run(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"grab" && argc == 3)
    return GrabScreen(argv[2],
                      {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  if (command == L"grab" && argc == 7)
    return GrabScreen(argv[2], AreaOf(argv + 3));
  if (command == L"clipboard" && argc == 3)
    return SaveClipboard(argv[2]);
  if (command == L"pixel" && argc == 4)
    return PrintPixel(_wtoi(argv[2]), _wtoi(argv[3]));
  if (command == L"has" && argc == 7)
    return ScreenHas(ParseColor(argv[2]), AreaOf(argv + 3));
  if (command == L"toolbar" && argc == 2)
    return PrintToolbarLayout();
  if (command == L"place" && argc == 7)
    return PlaceWindow(argv[2], AreaOf(argv + 3));
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The screen in physical pixels, as the program sees it.
  base::MakeProcessDpiAware();
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  const bool done = Run(argc, argv);
  Gdiplus::GdiplusShutdown(token);
  return done ? 0 : 1;
}
