// The capture window's dialog procedure: mouse and keyboard input drive the selection
// states.
#include "capture/capture_window.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "base/pinned_window.h"
#include "capture/wnd_cap_dlg.h"
#include "drawing/drawing.h"

namespace {

using State = SelectionState;

CaptureWindow* FromWindow(HWND hwnd) {
  return reinterpret_cast<CaptureWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The system's pointer for each shape.
const wchar_t* PointerId(PointerShape shape) {
  switch (shape) {
    case PointerShape::kMove:
      return IDC_SIZEALL;
    case PointerShape::kSizeNwse:
      return IDC_SIZENWSE;
    case PointerShape::kSizeNesw:
      return IDC_SIZENESW;
    case PointerShape::kSizeWe:
      return IDC_SIZEWE;
    case PointerShape::kSizeNs:
      return IDC_SIZENS;
    case PointerShape::kArrow:
      break;
  }
  return IDC_ARROW;
}

}  // namespace

INT_PTR CALLBACK CaptureWindow::DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* window = reinterpret_cast<CaptureWindow*>(lparam);
    if (!window)
      return TRUE;
    const RECT& desktop = window->desktop_.bounds();
    SetWindowPos(hwnd, HWND_TOPMOST, desktop.left, desktop.top, desktop.right - desktop.left,
                 desktop.bottom - desktop.top, SWP_SHOWWINDOW | SWP_NOREDRAW);
    window->OnInitDialog(hwnd);
    return TRUE;
  }
  CaptureWindow* window = FromWindow(hwnd);
  if (!window)
    return FALSE;
  return window->HandleMessage(message, wparam, lparam);
}

// While the mouse is captured, all input is this window's; else a message that reached it
// at a pop-up's place is the pop-up's.
bool CaptureWindow::ForwardMisroutedMouseMessage(UINT message, WPARAM wparam, int x, int y) {
  if (button_down_)
    return false;
  POINT point = {x, y};
  ClientToScreen(hwnd_, &point);
  return toolbar_.ForwardMisrouted(message, wparam, point);
}

void CaptureWindow::OnInitDialog(HWND hwnd) {
  hwnd_ = hwnd;
  toolbar_.Attach(hwnd, this, desktop_);
  toolbar_.OfferSave(launch_source_ != LaunchSource::kFeedback);
  base::RemoveMoveAndSizeCommands(hwnd);
  CreateMagnifier();
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  PaintOverlay();
  base::TakeForeground(hwnd);
}

// The magnifier reads the pixel under the cursor, so the cursor is kept on the picture.
void CaptureWindow::CreateMagnifier() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  cursor = desktop_.FromScreen(cursor);
  const int x = std::clamp<int>(cursor.x, 0, std::max(desktop_.width() - 1, 0));
  const int y = std::clamp<int>(cursor.y, 0, std::max(desktop_.height() - 1, 0));
  magnifier_ = WndCapDlg::Create(snapshot_.original_dc(), 0, 0, x, y);
}

// The magnifier follows the cursor while a selection is sought, made or resized, is hidden
// while one is settled or moved, and is left alone while annotating.
void CaptureWindow::UpdateMagnifier(int x, int y) {
  if (!magnifier_)
    return;
  const RECT& selection = model_.selection();
  switch (model_.state()) {
    case State::kDetecting:
    case State::kPressed:
    case State::kSelecting:
    case State::kResizing:
      magnifier_->MoveTo(x, y, selection.right - selection.left, selection.bottom - selection.top,
                         desktop_.width(), desktop_.height());
      magnifier_->Show(true);
      break;
    case State::kSelected:
    case State::kMovePressed:
    case State::kMoving:
    case State::kMoved:
    case State::kResizePressed:
    case State::kResized:
      magnifier_->Show(false);
      break;
    case State::kAnnotating:
    case State::kAnnotated:
      break;
  }
}

INT_PTR CaptureWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const int x = GET_X_LPARAM(lparam);
  const int y = GET_Y_LPARAM(lparam);
  if (ForwardMisroutedMouseMessage(message, wparam, x, y))
    return FALSE;
  switch (message) {
    case WM_SYSCOMMAND:
      return base::IsMoveOrSizeCommand(wparam) ? TRUE : FALSE;
    case WM_WINDOWPOSCHANGING:
      KeepCoveringTheDesktop(reinterpret_cast<WINDOWPOS*>(lparam));
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
      ReadDescendantWindows();
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
      OnMouseMove(x, y);
      return FALSE;
    case WM_LBUTTONDOWN:
      OnButtonDown(x, y);
      return FALSE;
    case WM_LBUTTONUP:
      OnButtonUp(x, y);
      return FALSE;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(x, y);
      return FALSE;
    case WM_RBUTTONUP:
      OnCancel(CancelReason::kRightClick);
      return FALSE;
    default:
      return FALSE;
  }
}

// Once the toolbar exists, keys are its commands wherever they are pressed.
void CaptureWindow::OnKeyDown(int virtual_key) {
  if (!toolbar_.TakeKey(virtual_key) && model_.state() == State::kDetecting &&
      virtual_key == VK_ESCAPE)
    Close(CloseMode::kKeepProcess);
}

// The edit box shows its own text cursor; elsewhere the window shows the one last chosen.
void CaptureWindow::OnSetCursor() {
  HWND text_box = annotations_.text_box();
  if (!text_box)
    return;
  POINT cursor = {};
  RECT box = {};
  GetCursorPos(&cursor);
  GetWindowRect(text_box, &box);
  if (!PtInRect(&box, cursor))
    SetCursor(cursor_);
}

void CaptureWindow::Close(CloseMode mode) {
  PostMessageW(hwnd_, WM_COMMAND, IDCANCEL, static_cast<LPARAM>(mode));
}

// The process ends with the window unless a save left the balloon on screen to end it.
void CaptureWindow::OnCloseCommand(CloseMode mode) {
  toolbar_.Close();
  if (magnifier_)
    magnifier_->Close();
  magnifier_ = nullptr;
  HWND hwnd = hwnd_;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
  if ((!outcome_.copied && !outcome_.saved) || mode == CloseMode::kEndProcess)
    PostQuitMessage(0);
}

void CaptureWindow::KeepCoveringTheDesktop(WINDOWPOS* position) const {
  if (!(position->flags & SWP_NOMOVE)) {
    position->x = desktop_.bounds().left;
    position->y = desktop_.bounds().top;
  }
  if (!(position->flags & SWP_NOSIZE)) {
    position->cx = desktop_.width();
    position->cy = desktop_.height();
  }
}

// Another window took the mouse (a dialog opened from the keyboard during a drag, for one):
// the drag ends where it is, as if the button went up there.
void CaptureWindow::EndDragWhereItIs() {
  if (button_down_)
    OnButtonUp(last_mouse_.x, last_mouse_.y);
}

void CaptureWindow::OnButtonDown(int x, int y) {
  // A click while a text is typed only finishes the text.
  if (annotations_.IsTyping()) {
    annotations_.FinishText();
    button_down_ = false;
    return;
  }
  toolbar_.ClosePopupMenus();
  button_down_ = true;
  last_mouse_ = {x, y};
  SetCapture(hwnd_);
  if (model_.state() == State::kAnnotating) {
    annotations_.Press({x, y});
  } else if (model_.Press({x, y})) {
    // The selection is given up for a new one, and what undo took goes with it.
    annotations_.ForgetUndone();
  }
  UpdateMagnifier(x, y);
  UpdateToolbar();
}

template <typename Change>
void CaptureWindow::ChangeSelection(Change change) {
  const RECT before = model_.selection();
  const Decoration decoration = model_.decoration();
  const bool labelled = model_.ShowsSize();
  change();
  if (!EqualRect(&before, &model_.selection()) || decoration != model_.decoration() ||
      labelled != model_.ShowsSize()) {
    PaintOverlay();
  }
}

void CaptureWindow::OnMouseMove(int x, int y) {
  last_mouse_ = {x, y};
  const POINT point = {x, y};
  if (model_.state() == State::kDetecting) {
    if (DetectWindowAt(point))
      PaintOverlay();
  } else if (model_.state() == State::kAnnotating) {
    UseCursor(ToolCursorAt(point));
    annotations_.Drag(point);
  } else if (button_down_) {
    ChangeSelection([&] { model_.Drag(point); });
  }
  if (const std::optional<PointerShape> shape = model_.PointerAt(point))
    SetPointer(*shape);
  UpdateMagnifier(x, y);
  UpdateToolbar();
}

void CaptureWindow::OnButtonUp(int x, int y) {
  if (!button_down_)
    return;
  // Down first: letting go of the capture tells this window that it lost it.
  button_down_ = false;
  if (model_.state() == State::kAnnotating) {
    annotations_.Release({x, y});
  } else {
    bool detect_again = false;
    ChangeSelection([&] { detect_again = model_.Release({x, y}); });
    if (detect_again)
      OnMouseMove(x, y);
  }
  UpdateMagnifier(x, y);
  UpdateToolbar();
  if (GetCapture() == hwnd_)
    ReleaseCapture();
}

void CaptureWindow::OnDoubleClick(int x, int y) {
  const POINT point = {x, y};
  if (PtInRect(&model_.selection(), point))
    OnDone();
}

void CaptureWindow::OnArrowKey(int vk) {
  const int dx = vk == VK_LEFT ? -1 : vk == VK_RIGHT ? 1 : 0;
  const int dy = vk == VK_UP ? -1 : vk == VK_DOWN ? 1 : 0;
  if (!model_.IsIdleWithSelection() || (dx == 0 && dy == 0))
    return;
  ChangeSelection([&] { model_.Nudge(dx, dy); });
  UpdateToolbar();
}

void CaptureWindow::SetPointer(PointerShape shape) {
  UseCursor(LoadCursorW(nullptr, PointerId(shape)));
}

void CaptureWindow::UseCursor(HCURSOR cursor) {
  cursor_ = cursor;
  SetCursor(cursor_);
}
