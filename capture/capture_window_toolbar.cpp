// The toolbar beside the selection: made on first need, placed after every change of the
// selection, closed with its pop-ups when the session ends.
#include "capture/capture_window.h"

#include "capture/toolbar_placement.h"
#include "dui/widget.h"
#include "ui/toolbar.h"

namespace {

using State = SelectionState;

}  // namespace

void CaptureWindow::UpdateToolbar() {
  switch (state_) {
    case State::kDetecting:
    case State::kPressed:
    case State::kSelecting:
    case State::kResizePressed:
    case State::kResizing:
      if (toolbar_)
        toolbar_->Hide();
      break;
    case State::kSelected:
    case State::kMovePressed:
    case State::kMoving:
    case State::kMoved:
    case State::kResized:
      PlaceToolbar();
      break;
    case State::kAnnotating:
    case State::kAnnotated:
      break;
  }
}

void CaptureWindow::PlaceToolbar() {
  const bool feedback = launch_source_ == LaunchSource::kFeedback;
  const SIZE size = {feedback ? Toolbar::kWidthWithoutSave : Toolbar::kWidth, Toolbar::kHeight};
  const ToolbarPlacement placement =
      PlaceToolbarBeside(selection_, size, screen_height_, Toolbar::kPickerRoom);
  const RECT target = {placement.x - size.cx, placement.y, placement.x, placement.y + size.cy};
  RECT shown = {};
  if (!toolbar_) {
    // Made where it belongs rather than elsewhere and then moved: a window that moves over
    // the capture window leaves areas to repaint, and those must not lie under its new place.
    toolbar_ = Toolbar::CreateToolbar(hwnd_, placement.x, placement.y);
    toolbar_->SetDelegate(this);
    if (feedback)
      toolbar_->UseLayoutWithoutSave();
  } else if (GetToolbarRect(&shown) && EqualRect(&shown, &target)) {
    toolbar_->SetPickerAbove(placement.picker_above);
    return;
  }
  toolbar_->SetPickerAbove(placement.picker_above);
  toolbar_->SetPosition(placement.x, placement.y);
  toolbar_->Show();
  // The size label keeps out of the toolbar's way, so a toolbar that appears or moves
  // changes the frame.
  PaintOverlay();
}

bool CaptureWindow::GetToolbarRect(RECT* rect) const {
  if (!toolbar_ || !toolbar_->widget())
    return false;
  HWND window = toolbar_->widget()->GetHwnd();
  return IsWindowVisible(window) && GetWindowRect(window, rect);
}

void CaptureWindow::CloseToolbar() {
  if (!toolbar_)
    return;
  toolbar_->CloseAll();
  toolbar_ = nullptr;
}
