// The toolbar's commands on the session: the tools and the annotations they draw, the
// picker's changes, undo and redo, and the three ends of a session (copy, save, cancel).
#include "capture/capture_window.h"

#include <optional>

namespace {

using State = SelectionState;

}  // namespace

// A tool whose picker closed again was switched off: the selection can change again unless
// shapes were drawn on it.
void CaptureWindow::OnToolChosen(Tool tool) {
  annotations_.FinishText();
  const bool picker_open = OpenPicker() != nullptr;
  model_.ChooseTool(picker_open, !annotations_.empty());
  if (picker_open)
    annotations_.ChooseTool(tool);
  else
    PaintOverlay();
}

void CaptureWindow::OnQuit() {
  PostQuitMessage(0);
}

void CaptureWindow::OnUndo() {
  if (!model_.CanChangeShapes() || !annotations_.Undo())
    return;
  if (annotations_.empty())
    model_.ShapesAllTakenBack();
  PaintOverlay();
}

void CaptureWindow::OnRedo() {
  if (!model_.CanChangeShapes() || !annotations_.Redo())
    return;
  model_.ShapePutBack();
  PaintOverlay();
}

void CaptureWindow::OnColorChanged() {
  annotations_.TakeColor();
}

void CaptureWindow::OnFontSizeChanged() {
  annotations_.TakeFontSize();
}

void CaptureWindow::OnCancel(CancelReason /*reason*/) {
  annotations_.FinishText();
  toolbar_.ClosePopupMenus();
  Close(CloseMode::kKeepProcess);
}

void CaptureWindow::OnDone() {
  annotations_.FinishText();
  Finish(finisher_.Copy(hwnd_, model_.selection(), launch_source_));
}

void CaptureWindow::OnSave(SaveSource /*source*/) {
  // The feedback form takes the picture from the clipboard only.
  if (launch_source_ == LaunchSource::kFeedback)
    return;
  annotations_.FinishText();
  toolbar_.ClosePopupMenus();
  toolbar_.EnableWindows(false);
  const std::optional<SaveChoice> choice = SessionFinisher::AskWhereToSave(hwnd_);
  toolbar_.EnableWindows(true);
  if (choice)
    Finish(finisher_.Save(hwnd_, model_.selection(), *choice, launch_source_, desktop_));
}

void CaptureWindow::UpdateToolbar() {
  if (!model_.HasToolbar()) {
    toolbar_.Hide();
  } else if (model_.state() != State::kAnnotating && model_.state() != State::kAnnotated) {
    // The size label keeps out of the way of a shown toolbar, where the selection puts it, so
    // only a toolbar that appears changes the frame.
    if (toolbar_.Place(model_.selection()))
      PaintOverlay();
  }
}

HCURSOR CaptureWindow::ToolCursorAt(POINT point) {
  if (!PtInRect(&model_.selection(), point))
    return LoadCursorW(nullptr, IDC_ARROW);
  return tool_cursors_.ForTool(annotations_.tool(), OpenPicker());
}

HWND CaptureWindow::AnnotatedWindow() const {
  return hwnd_;
}

const RECT& CaptureWindow::AnnotatedArea() const {
  return model_.selection();
}

RECT CaptureWindow::MonitorAt(POINT point) const {
  return desktop_.FromScreen(desktop_.MonitorAt(desktop_.ToScreen(point)));
}

base::DpiScale CaptureWindow::ScaleAt(POINT point) const {
  return desktop_.ScaleAt(desktop_.ToScreen(point));
}

const PickerSettings* CaptureWindow::OpenPicker() const {
  return toolbar_.OpenPicker();
}

void CaptureWindow::OnShapesChanged() {
  compositor_.ShapesChanged(model_.selection());
}

void CaptureWindow::RepaintAnnotations() {
  PaintOverlay();
}

void CaptureWindow::OnSessionKeyInTextBox(int virtual_key) {
  OnKeyDown(virtual_key);
}

void CaptureWindow::OnDoubleClickOnNewTextBox(POINT point) {
  OnDoubleClick(point);
}

void CaptureWindow::OnTextBoxHasKeyboard() {
  toolbar_.RaiseOnTheDisplay();
}
