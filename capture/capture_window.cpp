// The capture window itself: the session's start, the routing of the window's messages, and
// its end.
#include "capture/capture_window.h"

#include <windowsx.h>

#include "base/dpi_awareness.h"
#include "base/pinned_window.h"
#include "drawing/drawing.h"
#include "resources/resource_ids.h"

namespace {

CaptureWindow* FromWindow(HWND hwnd) {
  return reinterpret_cast<CaptureWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace

CaptureWindow::CaptureWindow(SessionOutcome& outcome) : outcome_(outcome) {}

CaptureWindow::~CaptureWindow() {
  Release();
}

void CaptureWindow::Release() {
  magnifier_.Close();
  toolbar_.Forget();
  snapshot_.Release();
  compositor_.Release();
  model_ = SelectionModel(desktop_.Area(), desktop_.MonitorsInDesktop(), desktop_.scales());
  annotations_.Clear();
  windows_ = {};
}

bool CaptureWindow::CreateBitmaps() {
  base::MakeProcessDpiAware();

  desktop_ = base::DesktopGeometry::Read();
  model_ = SelectionModel(desktop_.Area(), desktop_.MonitorsInDesktop(), desktop_.scales());
  const bool made = snapshot_.Create(desktop_);
  compositor_.Attach(snapshot_.original(), snapshot_.frame(),
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

INT_PTR CALLBACK CaptureWindow::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* window = reinterpret_cast<CaptureWindow*>(lparam);
    if (window)
      window->OnInitDialog(hwnd);
    return TRUE;
  }
  CaptureWindow* window = FromWindow(hwnd);
  if (!window)
    return FALSE;
  return window->HandleMessage(message, wparam, lparam);
}

void CaptureWindow::OnInitDialog(HWND hwnd) {
  base::PlaceTopmost(hwnd, desktop_.bounds());
  hwnd_ = hwnd;
  toolbar_.Attach(hwnd, this, desktop_);
  toolbar_.OfferSave(launch_source_ != LaunchSource::kFeedback);
  base::RemoveMoveAndSizeCommands(hwnd);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  PaintOverlay();
  base::TakeForeground(hwnd);
  // After the first frame, which does not need it.
  magnifier_.Open(snapshot_.original_dc(), desktop_);
}

INT_PTR CaptureWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const POINT point = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  if (ForwardMisroutedMouseMessage(message, wparam, point))
    return FALSE;
  switch (message) {
    case WM_SYSCOMMAND:
      return base::IsMoveOrSizeCommand(wparam) ? TRUE : FALSE;
    case WM_WINDOWPOSCHANGING:
      base::HoldInPlace(reinterpret_cast<WINDOWPOS*>(lparam), desktop_.bounds());
      return TRUE;
    case WM_DPICHANGED:
      // The window covers the desktop in physical pixels at any scale; the rectangle the
      // system suggests for a new scale would shrink it.
      return TRUE;
    case WM_CANCELMODE:
      EndDragWhereItIs();
      return FALSE;
    case WM_TIMER:
      if (wparam == SessionToolbar::kKeepOnTopTimer)
        toolbar_.KeepAbove();
      return TRUE;
    case WM_SETFOCUS:
      PostMessageW(hwnd_, kRaisePopupsMessage, 0, 0);
      return FALSE;
    case kRaisePopupsMessage:
      toolbar_.RaiseOnTheDisplay();
      return TRUE;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != hwnd_)
        EndDragWhereItIs();
      return TRUE;
    case WM_SETCURSOR:
      OnSetCursor();
      return TRUE;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT:
      OnPaintMessage();
      return TRUE;
    case kReadDescendantsMessage:
      windows_.ReadDescendants();
      return TRUE;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<int>(wparam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        OnCloseCommand(static_cast<CloseMode>(lparam));
        return TRUE;
      }
      if (HIWORD(wparam) == EN_CHANGE && annotations_.text_box() &&
          reinterpret_cast<HWND>(lparam) == annotations_.text_box())
        annotations_.FitTextBox();
      return FALSE;
    case WM_CTLCOLOREDIT:
      return annotations_.PaintTextBoxColors(reinterpret_cast<HDC>(wparam));
    case WM_MOUSEMOVE:
      OnMouseMove(point);
      return FALSE;
    case WM_LBUTTONDOWN:
      OnButtonDown(point);
      return FALSE;
    case WM_LBUTTONUP:
      OnButtonUp(point);
      return FALSE;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(point);
      return FALSE;
    case WM_RBUTTONUP:
      OnCancel(CancelReason::kRightClick);
      return FALSE;
    default:
      return FALSE;
  }
}

void CaptureWindow::Close(CloseMode mode) {
  PostMessageW(hwnd_, WM_COMMAND, IDCANCEL, static_cast<LPARAM>(mode));
}

void CaptureWindow::Finish(SessionFinisher::Next next) {
  if (next == SessionFinisher::Next::kCloseWindow)
    Close(CloseMode::kKeepProcess);
  else if (next == SessionFinisher::Next::kEndProcess)
    Close(CloseMode::kEndProcess);
}

// The process ends with the window unless a save left the balloon on screen to end it.
void CaptureWindow::OnCloseCommand(CloseMode mode) {
  toolbar_.Close();
  magnifier_.Close();
  HWND hwnd = hwnd_;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
  if ((!outcome_.copied && !outcome_.saved) || mode == CloseMode::kEndProcess)
    PostQuitMessage(0);
}
