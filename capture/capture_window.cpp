#include "capture/capture_window.h"

#include "base/scoped_get_dc.h"
#include "capture/wnd_cap_dlg.h"
#include "base/scoped_resource.h"
#include "drawing/drawing.h"
#include "resources/resource_ids.h"

namespace {

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

}  // namespace

CaptureWindow::CaptureWindow(SessionOutcome& outcome) : outcome_(outcome) {}

CaptureWindow::~CaptureWindow() {
  Release();
}

void CaptureWindow::Release() {
  if (magnifier_)
    magnifier_->Close();
  magnifier_ = nullptr;
  toolbar_.Forget();
  snapshot_.Release();
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
  const bool made = snapshot_.Create(desktop_);
  compositor_.Attach(snapshot_.original_dc(), snapshot_.frame_dc(),
                     {desktop_.width(), desktop_.height()});

  cursor_ = LoadCursorW(nullptr, IDC_ARROW);
  launch_source_ = ParseLaunchSource();
  return made;
}

void CaptureWindow::TakeSnapshot() {
  Release();
  if (CreateBitmaps())
    snapshot_.CopyScreen(desktop_);
  windows_ = WindowMap::ReadTopLevel();
}

HWND CaptureWindow::CreateDialogWindow(HINSTANCE instance) {
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_CAPTURE), nullptr,
                            &CaptureWindow::DialogProc, reinterpret_cast<LPARAM>(this));
}
