#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/dpi_scale.h"
#include "base/scoped_gdi_object.h"
#include "drawing/drawing.h"
#include "toolset/picker_settings.h"
#include "toolset/tool.h"

// What the annotations need of the session they are drawn in.
class AnnotationsHost {
 public:
  // The window the shapes are drawn on and the text box is placed on.
  virtual HWND AnnotatedWindow() const = 0;
  // The selection, in that window's coordinates: shapes start and text boxes open inside it.
  virtual const RECT& AnnotatedArea() const = 0;
  // The monitor that shows `point` of that window, or the nearest one, in that window's
  // coordinates: nothing starts where no monitor shows it, and a text box stays on one.
  virtual RECT MonitorAt(POINT point) const = 0;
  // That monitor's scale, which sizes a text box's font from its points.
  virtual base::DpiScale ScaleAt(POINT point) const = 0;
  // The picker's settings while it shows, else null.
  virtual const PickerSettings* OpenPicker() const = 0;
  // The kept shapes or the one being drawn changed, or it went.
  virtual void OnShapesChanged() = 0;
  // Something the frame shows of the annotations changed.
  virtual void RepaintAnnotations() = 0;
  // A key of the session (Esc, Ctrl+S, Ctrl+Z, Ctrl+Y) was typed into the text box.
  virtual void OnSessionKeyInTextBox(int virtual_key) = 0;
  // A second click came on the text box its first click at `point` just opened.
  virtual void OnDoubleClickOnNewTextBox(POINT point) = 0;
  // The text box took the keyboard.
  virtual void OnTextBoxHasKeyboard() = 0;

 protected:
  ~AnnotationsHost() = default;
};

// The annotations of one selection: the kept shapes, the shape being drawn, what undo took,
// and the text tool's edit box, in which a text is typed until it becomes a shape. The
// capture window owns it and routes the tool's mouse input and the picker's changes to it.
// UI thread only.
class Annotations {
 public:
  // The text box is a child of the host's window and goes with it.
  explicit Annotations(AnnotationsHost& host) : host_(host) {}

  Annotations(const Annotations&) = delete;
  Annotations& operator=(const Annotations&) = delete;

  // The tool whose shapes the mouse draws from now on.
  void ChooseTool(Tool tool) { tool_ = tool; }
  Tool tool() const { return tool_; }

  // The mouse pressed, dragged and released with the tool: a shape is drawn, or the text
  // box opens where the button went up.
  void Press(POINT point);
  void Drag(POINT point);
  void Release(POINT point);

  // Finishes the text being typed: it becomes a kept shape unless it is empty, and the box
  // goes, handing the keyboard back to the window.
  void FinishText();
  // Takes back the last shape, or only the text being typed; true when a kept shape went.
  bool Undo();
  // Puts back what the last undo took; true when a shape came back.
  bool Redo();
  // Undo's shapes can no longer come back: the selection was given up.
  void ForgetUndone() { undone_.clear(); }
  // Drops every shape, kept or taken back.
  void Clear();

  // The picker's colour or font size changed: the text being typed takes it.
  void TakeColor();
  void TakeFontSize();
  // The text box's text changed: the box fits it again.
  void FitTextBox();
  // The colours the text box is painted in (WM_CTLCOLOREDIT): white, the text in the
  // chosen colour; returns the brush.
  INT_PTR PaintTextBoxColors(HDC dc) const;

  // The text box while a text is typed, else null.
  HWND text_box() const { return edit_; }
  bool IsTyping() const { return edit_ && IsWindowVisible(edit_); }
  size_t shape_count() const { return drawings_.size(); }
  bool empty() const { return drawings_.empty(); }
  Drawing* current() const { return current_drawing_.get(); }
  // The kept shapes, the first kept first.
  std::vector<Drawing*> KeptShapes() const;
  // The kept shapes, then the one being drawn, in one painting pass on `dc` clipped to
  // `area`; false when a mosaic could not be painted.
  [[nodiscard]] bool PaintAll(HDC dc, const RECT& area) const;
  // Appends a finished shape, as a drawing tool would.
  void AddShapeForTesting(std::unique_ptr<Drawing> shape);

 private:
  bool TypesText() const;
  bool InArea(POINT point) const;
  // The room for a text box at `origin`: the selection, on the monitor of `origin`.
  RECT TextRoom(POINT origin) const;
  void TakePickerSettings();
  // The number the next shape that counts shows.
  int NextNumber() const;
  void KeepShape(std::unique_ptr<Drawing> shape);
  void PlaceTextBox(POINT point);
  void CreateTextBox(POINT point);
  void GiveTheKeyboardToTheTextBox();
  void BuildFont();
  // Fits the box to its text, with its top-left corner at `origin` or as near to it as
  // the selection allows.
  void ResizeTextBox(POINT origin);
  void MoveTextBox(const RECT& box);
  // The box in the window's coordinates.
  RECT TextBoxRect() const;
  // Where the box for `text` goes, from `origin`; nothing when it does not fit.
  std::optional<RECT> LayOutTextBoxFor(const std::wstring& text, POINT origin) const;
  // Makes room in the box for a typed character; false when the selection has none.
  bool MakeRoomFor(wchar_t character);
  bool IsSecondClickOnANewBox(LPARAM box_point) const;
  std::wstring Text() const;
  static LRESULT CALLBACK
  TextBoxProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR data);

  AnnotationsHost& host_;
  Tool tool_ = Tool::kRectangle;
  std::vector<std::unique_ptr<Drawing>> drawings_;
  std::unique_ptr<Drawing> current_drawing_;
  // What undo took, the last taken at the back; emptied when a new shape is kept.
  std::vector<std::unique_ptr<Drawing>> undone_;
  PickerSettings picker_settings_ = {};
  HWND edit_ = nullptr;
  // The click that opened the box, and when, for a double click that lands on it.
  POINT text_box_click_ = {};
  DWORD text_box_opened_at_ = 0;
  base::ScopedFont font_;
};
