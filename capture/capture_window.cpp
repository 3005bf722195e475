#include "capture/capture_window.h"

#include <cstdio>

#include "base/scoped_get_dc.h"
#include "capture/wnd_cap_dlg.h"
#include "base/scoped_resource.h"
#include "drawing/drawing.h"
#include "resources/resource_ids.h"

namespace {

// SRCCOPY with CAPTUREBLT, so that layered windows are part of the copy.
constexpr DWORD kScreenCopyRop = SRCCOPY | CAPTUREBLT;

// Declares the process DPI-aware, so that the bitmaps get the physical pixel size of the
// screen. Older systems lack the call.
void MakeProcessDpiAware() {
  const base::ScopedLibrary user32(LoadLibraryW(L"user32.dll"));
  if (!user32)
    return;
  using SetProcessDpiAwareFunction = BOOL(WINAPI*)();
  auto set_dpi_aware = reinterpret_cast<SetProcessDpiAwareFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32.get(), "SetProcessDPIAware")));
  if (set_dpi_aware)
    set_dpi_aware();
}

// The diagnostic of a failed bitmap; nobody reads it but a debugger.
void ReportBitmapFailure(const char* name) {
  char text[160];
  std::snprintf(text, sizeof(text), "%s = CreateCompatibleBitmap failed, GetLastError() is %d\n",
                name, static_cast<int>(GetLastError()));
  OutputDebugStringA(text);
}

}  // namespace

CaptureWindow::CaptureWindow(SessionOutcome& outcome) : outcome_(outcome) {}

CaptureWindow::~CaptureWindow() {
  Release();
}

void CaptureWindow::Release() {
  if (magnifier_)
    magnifier_->Close();
  magnifier_ = nullptr;
  toolbar_ = nullptr;
  // A bitmap cannot be deleted while it is selected, so each DC goes before its bitmap.
  original_dc_.reset();
  original_bmp_.reset();
  mem_dc_.reset();
  mem_bmp_.reset();
  compositor_.Release();
  model_ = SelectionModel(desktop_.Area());
  annotations_.Clear();
  windows_ = {};
  windows_read_ = false;
}

bool CaptureWindow::CreateBitmaps() {
  MakeProcessDpiAware();

  desktop_ = base::DesktopGeometry::Read();
  model_ = SelectionModel(desktop_.Area());
  HWND desktop = GetDesktopWindow();

  {
    base::ScopedGetDc desktop_dc(desktop);
    mem_bmp_.reset(CreateCompatibleBitmap(desktop_dc.get(), desktop_.width(), desktop_.height()));
    if (!mem_bmp_)
      ReportBitmapFailure("mem_bmp_");
    original_bmp_.reset(
        CreateCompatibleBitmap(desktop_dc.get(), desktop_.width(), desktop_.height()));
    if (!original_bmp_)
      ReportBitmapFailure("original_bmp_");
    mem_dc_.reset(CreateCompatibleDC(desktop_dc.get()));
    original_dc_.reset(CreateCompatibleDC(desktop_dc.get()));
  }
  // Each bitmap stays selected in its DC for the whole session.
  if (mem_dc_ && mem_bmp_)
    SelectObject(mem_dc_.get(), mem_bmp_.get());
  if (original_dc_ && original_bmp_)
    SelectObject(original_dc_.get(), original_bmp_.get());
  compositor_.Attach(original_dc_.get(), mem_dc_.get(), {desktop_.width(), desktop_.height()});

  cursor_ = LoadCursorW(nullptr, IDC_ARROW);
  launch_source_ = ParseLaunchSource();
  return mem_bmp_ && mem_dc_ && original_bmp_ && original_dc_;
}

void CaptureWindow::TakeSnapshot() {
  Release();
  if (CreateBitmaps())
    CopyScreen();
  windows_ = WindowMap::ReadTopLevel();
}

void CaptureWindow::CopyScreen() {
  base::ScopedGetDc screen_dc(nullptr);
  BitBlt(original_dc_.get(), 0, 0, desktop_.width(), desktop_.height(), screen_dc.get(),
         desktop_.bounds().left, desktop_.bounds().top, kScreenCopyRop);
}

HWND CaptureWindow::CreateDialogWindow(HINSTANCE instance) {
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_CAPTURE), nullptr,
                            &CaptureWindow::DialogProc, reinterpret_cast<LPARAM>(this));
}
