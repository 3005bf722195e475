// The mouse and the keyboard on the capture window: they drive the selection model, or the
// annotations while a tool draws, and the window under the mouse is found for a click.
#include "capture/capture_window.h"

#include <optional>

#include "capture/pointer_cursor.h"
#include "drawing/drawing.h"
#include "ui/toolbar.h"

namespace {

using State = SelectionState;

}  // namespace

// While the mouse is captured, all input is this window's; else a message that reached it
// at a pop-up's place is the pop-up's.
bool CaptureWindow::ForwardMisroutedMouseMessage(UINT message, WPARAM wparam, POINT point) {
  if (button_down_)
    return false;
  ClientToScreen(hwnd_, &point);
  return toolbar_.ForwardMisrouted(message, wparam, point);
}

// Once the toolbar exists, keys are its commands wherever they are pressed.
void CaptureWindow::OnKeyDown(int virtual_key) {
  // A key that stands for a click on the toolbar waits, as the mouse does, until the button
  // held in the window goes up.
  if (button_down_ && Toolbar::IsButtonKey(virtual_key))
    return;
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

// Another window took the mouse (a dialog opened from the keyboard during a drag, for one):
// the drag ends where it is, as if the button went up there.
void CaptureWindow::EndDragWhereItIs() {
  if (button_down_)
    OnButtonUp(last_mouse_);
}

void CaptureWindow::OnButtonDown(POINT point) {
  // A click while a text is typed only finishes the text.
  if (annotations_.IsTyping()) {
    annotations_.FinishText();
    button_down_ = false;
    return;
  }
  toolbar_.ClosePopupMenus();
  button_down_ = true;
  last_mouse_ = point;
  SetCapture(hwnd_);
  if (model_.state() == State::kAnnotating) {
    annotations_.Press(point);
  } else if (model_.Press(point)) {
    // The selection is given up for a new one, and what undo took goes with it.
    annotations_.ForgetUndone();
  }
  magnifier_.Follow(model_, point);
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

void CaptureWindow::OnMouseMove(POINT point) {
  last_mouse_ = point;
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
    UseCursor(LoadPointerCursor(*shape));
  magnifier_.Follow(model_, point);
  UpdateToolbar();
}

void CaptureWindow::OnButtonUp(POINT point) {
  if (!button_down_)
    return;
  // Down first: letting go of the capture tells this window that it lost it.
  button_down_ = false;
  if (model_.state() == State::kAnnotating) {
    annotations_.Release(point);
  } else {
    bool detect_again = false;
    ChangeSelection([&] { detect_again = model_.Release(point); });
    if (detect_again)
      OnMouseMove(point);
  }
  magnifier_.Follow(model_, point);
  UpdateToolbar();
  if (GetCapture() == hwnd_)
    ReleaseCapture();
}

void CaptureWindow::OnDoubleClick(POINT point) {
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

// The window the frozen picture shows under the mouse, clipped to the desktop; where the
// picture shows no window, the highlight stays as it was. The descendants are read at the
// first need if the first frame has not shown yet.
bool CaptureWindow::DetectWindowAt(POINT point) {
  windows_.ReadDescendants();
  RECT window = {};
  if (!windows_.RectAt(desktop_.ToScreen(point), &window))
    return false;
  return model_.Highlight(desktop_.FromScreen(window));
}

void CaptureWindow::UseCursor(HCURSOR cursor) {
  cursor_ = cursor;
  SetCursor(cursor_);
}
