#pragma once

#include <windows.h>

#include <memory>

#include "base/desktop_geometry.h"
#include "base/session_outcome.h"
#include "capture/annotations.h"
#include "capture/screen_snapshot.h"
#include "capture/selection_model.h"
#include "capture/selection_state.h"
#include "capture/session_toolbar.h"
#include "capture/window_map.h"
#include "overlay/overlay_compositor.h"
#include "overlay/overlay_scene.h"
#include "settings/launch_source.h"
#include "toolset/picker_settings.h"
#include "toolset/tool_cursors.h"
#include "ui/toolbar_delegate.h"

namespace Gdiplus {
class Bitmap;
}

class Drawing;
class SelectionBackup;
struct SaveChoice;
class Toolbar;
class WndCapDlg;

// The one full-screen window of a capture session and everything it shows: the frozen copy
// of the desktop taken at start-up, the selection, the annotations and the overlay composed
// from them, the toolbar and its tools, the text edit box, and the ways a session ends
// (copy, save, cancel). The entry point owns the single instance; it outlives its window,
// whose destruction takes the toolbar's widget with it. UI thread only.
class CaptureWindow : public ToolbarDelegate, private AnnotationsHost {
 public:
  // Records what the session does with its picture in `outcome`, which must outlive it.
  explicit CaptureWindow(SessionOutcome& outcome);
  ~CaptureWindow();

  CaptureWindow(const CaptureWindow&) = delete;
  CaptureWindow& operator=(const CaptureWindow&) = delete;

  // Closes the magnifier, frees the bitmaps and the shapes and returns to the start state.
  void Release();

  // Makes the two screen-sized bitmaps and their DCs and reads the launch source. True
  // when all four GDI objects exist.
  bool CreateBitmaps();

  // Release, CreateBitmaps, then copies the whole screen into the original bitmap and notes
  // the windows it shows.
  void TakeSnapshot();

  // Composes the whole frame as it should show now into `target`, a DC of the desktop's
  // size, the straightforward way (OverlayCompositor::ComposeWhole): every frame the session
  // shows must hold the very same pixels. False when the shapes could not be painted.
  bool ComposeWholeFrame(HDC target);

  // Creates the capture window from its dialog template, with no owner.
  HWND CreateDialogWindow(HINSTANCE instance);

  // The toolbar's commands (capture_window_tools.cpp unless said otherwise).
  void OnToolChosen(Tool tool) override;
  // Nudges the selection by one pixel for an arrow key (VK_LEFT .. VK_DOWN), only while a
  // selection exists and can still change (capture_window_input.cpp).
  void OnArrowKey(int vk) override;
  // Ends the session without a picture (capture_window_finish.cpp).
  void OnCancel(CancelReason reason) override;
  // Copies the selection with its annotations to the clipboard and ends the session
  // (capture_window_finish.cpp).
  void OnDone() override;
  // Lets the user save the selection to an image file; the session ends once it is saved
  // (capture_window_finish.cpp).
  void OnSave(SaveSource source) override;
  // Recolours the text being typed.
  void OnColorChanged() override;
  // Gives the text being typed the new size.
  void OnFontSizeChanged() override;
  void OnQuit() override;
  // Takes back the last shape, or the text being typed.
  void OnUndo() override;
  // Puts back what the last undo took.
  void OnRedo() override;

  // Replaces the source read from the command line.
  void SetLaunchSourceForTesting(LaunchSource source) {
    launch_source_ = source;
    toolbar_.OfferSave(source != LaunchSource::kFeedback);
  }
  // Appends a finished shape, as a drawing tool would.
  void AddShapeForTesting(std::unique_ptr<Drawing> shape) {
    annotations_.AddShapeForTesting(std::move(shape));
  }

  HWND hwnd() const { return hwnd_; }
  // The frozen picture of the desktop.
  HDC original_dc() const { return snapshot_.original_dc(); }
  // The composed frame last shown.
  HDC mem_dc() const { return snapshot_.frame_dc(); }
  const base::DesktopGeometry& desktop() const { return desktop_; }
  const SelectionModel& model() const { return model_; }
  LaunchSource launch_source() const { return launch_source_; }
  SelectionState state() const { return model_.state(); }
  const RECT& selection() const { return model_.selection(); }
  HCURSOR cursor() const { return cursor_; }
  WndCapDlg* magnifier() const { return magnifier_; }
  Toolbar* toolbar() const { return toolbar_.get(); }
  HWND edit() const { return annotations_.text_box(); }
  // Whether the left button went down on the window and has not come up since.
  bool button_down() const { return button_down_; }
  size_t shape_count() const { return annotations_.shape_count(); }
  const Drawing* current_drawing() const { return annotations_.current(); }

 private:
  // What the close command tells the window, as its lParam: whether the process ends with
  // the window even after a copy or a save (else the saved-file balloon ends it).
  enum class CloseMode : LPARAM { kKeepProcess = 0, kEndProcess = 1 };

  // Posted by the first paint, to read the descendants of the desktop's windows after it.
  static constexpr UINT kReadDescendantsMessage = WM_APP + 1;
  // Posted when the pop-ups must go back over this window on the display.
  static constexpr UINT kRaisePopupsMessage = WM_APP + 2;

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Input (capture_window_input.cpp).
  void OnInitDialog(HWND hwnd);
  void CreateMagnifier();
  void UpdateMagnifier(int x, int y);
  bool ForwardMisroutedMouseMessage(UINT message, WPARAM wparam, int x, int y);
  void KeepCoveringTheDesktop(WINDOWPOS* position) const;
  void EndDragWhereItIs();
  void OnKeyDown(int virtual_key);
  void OnSetCursor();
  void OnCloseCommand(CloseMode mode);
  void OnButtonDown(int x, int y);
  void OnMouseMove(int x, int y);
  void OnButtonUp(int x, int y);
  void OnDoubleClick(int x, int y);
  // Applies `change` to the selection model and repaints when what the frame shows of the
  // selection changed: the rectangle, its decoration, its size label.
  template <typename Change>
  void ChangeSelection(Change change);
  void SetPointer(PointerShape shape);
  void UseCursor(HCURSOR cursor);
  void Close(CloseMode mode);

  // The toolbar (capture_window_toolbar.cpp): shown beside the selection while it can
  // change, hidden while it is being made, left alone while annotating.
  void UpdateToolbar();

  // Tools (capture_window_tools.cpp).
  HCURSOR ToolCursorAt(POINT point);
  // What the annotations need of the session.
  HWND AnnotatedWindow() const override;
  const RECT& AnnotatedArea() const override;
  const PickerSettings* OpenPicker() const override;
  void OnShapesChanged() override;
  void RepaintAnnotations() override;
  void OnSessionKeyInTextBox(int virtual_key) override;
  void OnDoubleClickOnNewTextBox(POINT point) override;
  void OnTextBoxHasKeyboard() override;

  // Window detection (capture_window_detect.cpp).
  // Highlights the window the frozen picture shows at `point`; true when the highlight
  // changed.
  bool DetectWindowAt(POINT point);
  // Reads the descendants of the desktop's windows, once the first frame shows (or at the
  // first need): before, it would delay the frame.
  void ReadDescendantWindows();

  // The overlay (capture_window_paint.cpp).
  // Composes the frame from the selection as it is and shows what changed.
  void PaintOverlay();
  void OnPaintMessage();
  // What the frame shows now: the selection as the model has it, the shapes on it.
  OverlayScene Scene() const;
  // The kept shapes, then the one being drawn, in one painting pass on `dc`; false when a
  // mosaic could not be painted.
  [[nodiscard]] bool PaintAllShapes(HDC dc);

  // Finishing (capture_window_finish.cpp): paints the annotations into the frozen picture
  // and cuts out the selection; null, with the window closing, when the cut fails; null,
  // with the picture put back from `backup` and the session going on, when a mosaic cannot
  // be painted (the area would go out in clear).
  std::unique_ptr<Gdiplus::Bitmap> FlattenSelection(SelectionBackup& backup);
  void SaveTo(const SaveChoice& choice);

  SessionOutcome& outcome_;
  HWND hwnd_ = nullptr;
  ScreenSnapshot snapshot_;
  // The desktop's windows as the frozen picture shows them, their descendants read once
  // `windows_read_`.
  WindowMap windows_;
  bool windows_read_ = false;
  HCURSOR cursor_ = nullptr;
  // Where the mouse was last seen, for a drag that another window ends.
  POINT last_mouse_ = {};
  // The desktop the window covers, read with the copy of the screen.
  base::DesktopGeometry desktop_;
  SelectionModel model_{RECT{}};
  LaunchSource launch_source_ = LaunchSource::kUnknown;
  WndCapDlg* magnifier_ = nullptr;
  SessionToolbar toolbar_;
  Annotations annotations_{*this};
  bool button_down_ = false;
  ToolCursors tool_cursors_;
  // Composes the frames in the snapshot's frame from its frozen picture.
  OverlayCompositor compositor_;
};
