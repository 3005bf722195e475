// The toolbar's tools on the selection: the annotations the mouse draws, the picker's
// changes, undo and redo.
#include "capture/capture_window.h"

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
  OnDoubleClick(point.x, point.y);
}

void CaptureWindow::OnTextBoxHasKeyboard() {
  toolbar_.RaiseOnTheDisplay();
}
