#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "capture/selection_state.h"
#include "settings/launch_source.h"
#include "ui/picker_settings.h"

class Drawing;
class Toolbar;
class WndCapDlg;

// The one full-screen window of a capture session and everything it shows: the frozen copy
// of the desktop taken at start-up, the selection, the annotations and the overlay composed
// from them. The entry point owns the single instance; it outlives the window. UI thread.
class CaptureWindow {
 public:
  CaptureWindow();
  ~CaptureWindow();

  CaptureWindow(const CaptureWindow&) = delete;
  CaptureWindow& operator=(const CaptureWindow&) = delete;

  // Frees the bitmaps, the shapes and the magnifier and returns to the start state.
  void Release();

  // Makes the two screen-sized bitmaps and their DCs and reads the launch source. True
  // when all four GDI objects exist.
  bool CreateBitmaps();

  // Release, CreateBitmaps, then copies the whole screen into the original bitmap.
  void TakeSnapshot();

  // Creates the capture window from its dialog template, with no owner.
  HWND CreateDialogWindow(HINSTANCE instance);

  HWND hwnd() const { return hwnd_; }
  HDC original_dc() const { return original_dc_.get(); }
  int screen_width() const { return screen_width_; }
  int screen_height() const { return screen_height_; }
  LaunchSource launch_source() const { return launch_source_; }
  SelectionState state() const { return state_; }
  const RECT& selection() const { return selection_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void OnInitDialog(HWND hwnd);
  void OnKeyDown(int virtual_key);
  void OnCloseCommand(LPARAM lparam);
  void Close(LPARAM lparam);

  // Composes the frame in the back buffer and shows it.
  void PaintOverlay(bool dragMode, int x, int y);

  void CopyScreen();

  HWND hwnd_ = nullptr;
  base::ScopedCreateDc original_dc_;
  base::ScopedBitmap original_bmp_;
  base::ScopedCreateDc mem_dc_;
  base::ScopedBitmap mem_bmp_;
  RECT selection_ = {};
  RECT handle_rects_[8] = {};
  HCURSOR cursor_ = nullptr;
  POINT anchor_ = {};
  int resize_axis_ = 0;
  SelectionState state_ = SelectionState::kDetecting;
  int screen_width_ = 0;
  int screen_height_ = 0;
  LaunchSource launch_source_ = LaunchSource::kUnknown;
  WndCapDlg* magnifier_ = nullptr;
  Toolbar* toolbar_ = nullptr;
  std::unique_ptr<Drawing> current_drawing_;
  std::string tool_;
  std::vector<std::unique_ptr<Drawing>> drawings_;
  HWND edit_ = nullptr;
  base::ScopedFont edit_font_;
  bool button_down_ = false;
  PickerSettings picker_settings_ = {};
};
