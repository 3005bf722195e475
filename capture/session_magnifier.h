#pragma once

#include <windows.h>

#include "base/desktop_geometry.h"

class SelectionModel;
class WndCapDlg;

// The session's magnifier and when it shows: it follows the cursor while a selection is
// sought, made or resized, hides while one is settled or moved, and is left alone while
// annotating. Closes the magnifier when it goes. UI thread only.
class SessionMagnifier {
 public:
  SessionMagnifier() = default;
  ~SessionMagnifier();

  SessionMagnifier(const SessionMagnifier&) = delete;
  SessionMagnifier& operator=(const SessionMagnifier&) = delete;

  // Shows a magnifier of `picture`, the frozen copy of `desktop`, at the cursor.
  void Open(HDC picture, const base::DesktopGeometry& desktop);
  // The mouse is at `point` (desktop coordinates) with the selection as `model` has it.
  void Follow(const SelectionModel& model, POINT point);
  // Closes the magnifier for good.
  void Close();

  // The magnifier while it is open, else null.
  WndCapDlg* get() const { return magnifier_; }

 private:
  // The view's widget deletes it.
  WndCapDlg* magnifier_ = nullptr;
};
