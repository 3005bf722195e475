#include "capture/session_toolbar.h"

#include "dui/widget.h"
#include "ui/color_table_dlg.h"
#include "ui/toolbar.h"

namespace {

// How often the pop-ups are looked at: soon enough that a toolbar hidden by the window system
// is back before a person looks for it, seldom enough to cost nothing.
constexpr UINT kKeepOnTopMs = 100;

}  // namespace

void SessionToolbar::Attach(HWND owner,
                            ToolbarDelegate* delegate,
                            const base::DesktopGeometry& desktop) {
  owner_ = owner;
  delegate_ = delegate;
  desktop_ = desktop;
}

bool SessionToolbar::Place(const RECT& selection) {
  const ToolbarPlacement placement = Plan(selection);
  RECT shown = {};
  const bool was_shown = GetShownRect(&shown);
  const RECT target = ToolbarRect(placement, Size(selection));
  if (!toolbar_) {
    // Made where it belongs rather than elsewhere and then moved: a window that moves over
    // the capture window leaves areas to repaint, and those must not lie under its new place.
    toolbar_ =
        Toolbar::CreateToolbar(owner_, desktop_, placement.x, placement.y, ScaleFor(selection));
    toolbar_->SetDelegate(delegate_);
    SetTimer(owner_, kKeepOnTopTimer, kKeepOnTopMs, nullptr);
    if (!with_save_)
      toolbar_->UseLayoutWithoutSave();
  } else if (was_shown && EqualRect(&shown, &target)) {
    toolbar_->SetPickerAbove(placement.picker_above);
    return false;
  }
  toolbar_->SetPickerAbove(placement.picker_above);
  toolbar_->SetPosition(placement.x, placement.y, ScaleFor(selection));
  toolbar_->Show();
  return !was_shown;
}

void SessionToolbar::Hide() {
  if (toolbar_)
    toolbar_->Hide();
}

void SessionToolbar::Close() {
  if (!toolbar_)
    return;
  KillTimer(owner_, kKeepOnTopTimer);
  toolbar_->CloseAll();
  toolbar_ = nullptr;
}

ToolbarPlacement SessionToolbar::Plan(const RECT& selection) const {
  return PlaceToolbarBeside(desktop_.ToScreen(selection), Size(selection), desktop_,
                            ScaleFor(selection).Scale(Toolbar::kPickerRoom));
}

base::DpiScale SessionToolbar::ScaleFor(const RECT& selection) const {
  return desktop_.ScaleAt(desktop_.ToScreen(POINT{selection.right - 1, selection.bottom - 1}));
}

SIZE SessionToolbar::Size(const RECT& selection) const {
  return ScaleFor(selection).Scale(
      SIZE{with_save_ ? Toolbar::kWidth : Toolbar::kWidthWithoutSave, Toolbar::kHeight});
}

bool SessionToolbar::GetShownRect(RECT* rect) const {
  if (!toolbar_ || !toolbar_->widget())
    return false;
  HWND window = toolbar_->widget()->GetHwnd();
  return IsWindowVisible(window) && GetWindowRect(window, rect);
}

bool SessionToolbar::GetTarget(const RECT& selection, RECT* rect) const {
  if (!toolbar_ || !toolbar_->widget() || !IsWindowVisible(toolbar_->widget()->GetHwnd()))
    return false;
  const ToolbarPlacement placement = Plan(selection);
  *rect = desktop_.FromScreen(ToolbarRect(placement, Size(selection)));
  return true;
}

const PickerSettings* SessionToolbar::OpenPicker() const {
  ColorTableDlg* picker = toolbar_ ? toolbar_->GetOpenPicker() : nullptr;
  return picker ? &picker->GetSettings() : nullptr;
}

void SessionToolbar::ClosePopupMenus() {
  if (toolbar_)
    toolbar_->ClosePopupMenus();
}

void SessionToolbar::EnableWindows(bool enable) {
  if (toolbar_)
    toolbar_->EnableWindows(enable);
}

bool SessionToolbar::TakeKey(int virtual_key) {
  if (!toolbar_)
    return false;
  toolbar_->OnKeyPressed(virtual_key);
  return true;
}

// The toolbar and its pop-ups are owned by the capture window and lie above it, so that mouse
// input at their place goes to them. Wine stacks the capture window over them at times (when
// the keyboard focus moves to the edit box, for one); input that reaches it there puts them
// back on top and goes on to the pop-up under the mouse, so that no click is lost.
bool SessionToolbar::ForwardMisrouted(UINT message, WPARAM wparam, POINT screen_point) {
  const bool mouse = message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN ||
                     message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK ||
                     message == WM_RBUTTONUP;
  if (!mouse || !toolbar_)
    return false;
  HWND popup = toolbar_->RaiseIfCovered(screen_point);
  if (!popup)
    return false;
  POINT point = screen_point;
  ScreenToClient(popup, &point);
  SendMessageW(popup, message, wparam, MAKELPARAM(point.x, point.y));
  return true;
}

// Wine stacks the capture window over everything on the display whenever it or its edit box
// takes the keyboard (after a dialog, for one), and over everything in its own order later,
// when it has handled what the display reported, without a word to the window: on top of
// everything it hides the pop-ups it owns. The later change a timer finds and mends; a click
// meanwhile goes on to the pop-up under it (ForwardMisrouted).
void SessionToolbar::KeepAbove() {
  if (toolbar_)
    toolbar_->KeepAbove(owner_);
}

// The first change, on the display only, Wine's own order does not show: a pop-up on top
// there already is not stacked again. The owner goes on top of that order first, so that
// putting the pop-ups back over it moves them on the display too.
void SessionToolbar::RaiseOnTheDisplay() {
  if (!toolbar_ || !toolbar_->IsShown())
    return;
  SetWindowPos(owner_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  toolbar_->BringToTop();
}
