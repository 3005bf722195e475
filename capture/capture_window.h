#pragma once

#include <windows.h>

#include <memory>

#include "base/desktop_geometry.h"
#include "base/session_outcome.h"
#include "capture/annotations.h"
#include "capture/screen_snapshot.h"
#include "capture/selection_model.h"
#include "capture/selection_state.h"
#include "capture/session_finisher.h"
#include "capture/session_magnifier.h"
#include "capture/session_toolbar.h"
#include "capture/window_map.h"
#include "overlay/overlay_compositor.h"
#include "overlay/overlay_scene.h"
#include "settings/launch_source.h"
#include "toolset/picker_settings.h"
#include "toolset/tool_cursors.h"
#include "ui/toolbar_delegate.h"

class Drawing;
class Toolbar;
class WndCapDlg;

// The one full-screen window of a capture session: it routes the mouse and the keyboard to
// the selection model, the annotations and the toolbar, shows the frames the compositor
// makes of them over the frozen copy of the desktop, and ends the session through the
// finisher (copy, save) or by cancelling. The entry point owns the single instance; it
// outlives its window, whose destruction takes the toolbar's widget with it. UI thread only.
class CaptureWindow : public ToolbarDelegate, private AnnotationsHost {
 public:
  // Records what the session does with its picture in `outcome`, which must outlive it.
  explicit CaptureWindow(SessionOutcome& outcome);
  ~CaptureWindow();

  CaptureWindow(const CaptureWindow&) = delete;
  CaptureWindow& operator=(const CaptureWindow&) = delete;

  // Closes the magnifier, frees the bitmaps and the shapes and returns to the start state.
  void Release();
  // Reads the desktop, makes the snapshot's two pictures and reads the launch source. True
  // when all their GDI objects exist.
  bool CreateBitmaps();
  // Release, CreateBitmaps, then copies the whole screen into the frozen picture and notes
  // the windows it shows.
  void TakeSnapshot();
  // Composes the whole frame as it should show now into `target`, a DC of the desktop's
  // size, the straightforward way (OverlayCompositor::ComposeWhole): every frame the session
  // shows must hold the very same pixels. False when the shapes could not be painted.
  bool ComposeWholeFrame(HDC target);
  // Creates the capture window from its dialog template, with no owner.
  HWND CreateDialogWindow(HINSTANCE instance);

  // The toolbar's commands (capture_window_tools.cpp).
  void OnToolChosen(Tool tool) override;
  void OnArrowKey(int vk) override;
  void OnCancel(CancelReason reason) override;
  void OnDone() override;
  void OnSave(SaveSource source) override;
  void OnColorChanged() override;
  void OnFontSizeChanged() override;
  void OnQuit() override;
  void OnUndo() override;
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
  WndCapDlg* magnifier() const { return magnifier_.get(); }
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

  // The window (capture_window.cpp).
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnInitDialog(HWND hwnd);
  void Close(CloseMode mode);
  void OnCloseCommand(CloseMode mode);
  // Goes on as the finisher says after an attempt to give the picture out.
  void Finish(SessionFinisher::Next next);

  // Input (capture_window_input.cpp).
  bool ForwardMisroutedMouseMessage(UINT message, WPARAM wparam, POINT point);
  void EndDragWhereItIs();
  void OnKeyDown(int virtual_key);
  void OnSetCursor();
  void OnButtonDown(POINT point);
  void OnMouseMove(POINT point);
  void OnButtonUp(POINT point);
  void OnDoubleClick(POINT point);
  // Applies `change` to the selection model and repaints when what the frame shows of the
  // selection changed: the rectangle, its decoration, its size label.
  template <typename Change>
  void ChangeSelection(Change change);
  // Highlights the window the frozen picture shows at `point`; true when the highlight
  // changed.
  bool DetectWindowAt(POINT point);
  void UseCursor(HCURSOR cursor);

  // The tools (capture_window_tools.cpp).
  // Shows the toolbar beside the selection while it can change, hides it while it is being
  // made, leaves it alone while annotating.
  void UpdateToolbar();
  HCURSOR ToolCursorAt(POINT point);
  HWND AnnotatedWindow() const override;
  const RECT& AnnotatedArea() const override;
  RECT MonitorAt(POINT point) const override;
  base::DpiScale ScaleAt(POINT point) const override;
  const PickerSettings* OpenPicker() const override;
  void OnShapesChanged() override;
  void RepaintAnnotations() override;
  void OnSessionKeyInTextBox(int virtual_key) override;
  void OnDoubleClickOnNewTextBox(POINT point) override;
  void OnTextBoxHasKeyboard() override;

  // The overlay (capture_window_paint.cpp).
  // Composes the frame from the selection as it is and shows what changed.
  void PaintOverlay();
  void OnPaintMessage();
  // What the frame shows now: the selection as the model has it, the shapes on it.
  OverlayScene Scene() const;

  SessionOutcome& outcome_;
  HWND hwnd_ = nullptr;
  ScreenSnapshot snapshot_;
  // The desktop's windows as the frozen picture shows them.
  WindowMap windows_;
  HCURSOR cursor_ = nullptr;
  // Where the mouse was last seen, for a drag that another window ends.
  POINT last_mouse_ = {};
  // The desktop the window covers, read with the copy of the screen.
  base::DesktopGeometry desktop_;
  SelectionModel model_{RECT{}};
  LaunchSource launch_source_ = LaunchSource::kUnknown;
  SessionMagnifier magnifier_;
  SessionToolbar toolbar_;
  Annotations annotations_{*this};
  SessionFinisher finisher_{outcome_, snapshot_, annotations_};
  bool button_down_ = false;
  ToolCursors tool_cursors_;
  // Composes the frames in the snapshot's frame from its frozen picture.
  OverlayCompositor compositor_;
};
