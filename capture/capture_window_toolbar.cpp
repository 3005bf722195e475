// The toolbar beside the selection: made on first need, placed after every change of the
// selection, closed with its pop-ups when the session ends.
#include "capture/capture_window.h"

#include "capture/toolbar_placement.h"
#include "dui/widget.h"
#include "ui/toolbar.h"

namespace {

using State = SelectionState;

// How often the pop-ups are looked at: soon enough that a toolbar hidden by the window system
// is back before a person looks for it, seldom enough to cost nothing.
constexpr UINT kKeepPopupsOnTopMs = 100;

}  // namespace

void CaptureWindow::UpdateToolbar() {
  if (!model_.HasToolbar()) {
    if (toolbar_)
      toolbar_->Hide();
  } else if (model_.state() != State::kAnnotating && model_.state() != State::kAnnotated) {
    PlaceToolbar();
  }
}

void CaptureWindow::PlaceToolbar() {
  const ToolbarPlacement placement = PlanToolbar();
  RECT shown = {};
  const bool was_shown = GetToolbarRect(&shown);
  const RECT target = ToolbarRectAt(placement);
  if (!toolbar_) {
    // Made where it belongs rather than elsewhere and then moved: a window that moves over
    // the capture window leaves areas to repaint, and those must not lie under its new place.
    toolbar_ = Toolbar::CreateToolbar(hwnd_, desktop_, placement.x, placement.y);
    toolbar_->SetDelegate(this);
    SetTimer(hwnd_, kKeepPopupsOnTopTimer, kKeepPopupsOnTopMs, nullptr);
    if (launch_source_ == LaunchSource::kFeedback)
      toolbar_->UseLayoutWithoutSave();
  } else if (was_shown && EqualRect(&shown, &target)) {
    toolbar_->SetPickerAbove(placement.picker_above);
    return;
  }
  toolbar_->SetPickerAbove(placement.picker_above);
  toolbar_->SetPosition(placement.x, placement.y);
  toolbar_->Show();
  // The size label keeps out of the way of a shown toolbar, where the selection puts it, so
  // only a toolbar that appears changes the frame.
  if (!was_shown)
    PaintOverlay();
}

ToolbarPlacement CaptureWindow::PlanToolbar() const {
  return PlaceToolbarBeside(model_.selection(), ToolbarSize(), desktop_.height(),
                            Toolbar::kPickerRoom);
}

SIZE CaptureWindow::ToolbarSize() const {
  const bool feedback = launch_source_ == LaunchSource::kFeedback;
  return {feedback ? Toolbar::kWidthWithoutSave : Toolbar::kWidth, Toolbar::kHeight};
}

RECT CaptureWindow::ToolbarRectAt(const ToolbarPlacement& placement) const {
  const SIZE size = ToolbarSize();
  return {placement.x - size.cx, placement.y, placement.x, placement.y + size.cy};
}

bool CaptureWindow::GetToolbarRect(RECT* rect) const {
  if (!toolbar_ || !toolbar_->widget())
    return false;
  HWND window = toolbar_->widget()->GetHwnd();
  return IsWindowVisible(window) && GetWindowRect(window, rect);
}

bool CaptureWindow::GetToolbarTarget(RECT* rect) const {
  if (!toolbar_ || !toolbar_->widget() || !IsWindowVisible(toolbar_->widget()->GetHwnd()))
    return false;
  *rect = ToolbarRectAt(PlanToolbar());
  return true;
}

void CaptureWindow::CloseToolbar() {
  if (!toolbar_)
    return;
  KillTimer(hwnd_, kKeepPopupsOnTopTimer);
  toolbar_->CloseAll();
  toolbar_ = nullptr;
}
