#pragma once

#include <windows.h>

#include "base/desktop_geometry.h"
#include "capture/toolbar_placement.h"
#include "toolset/picker_settings.h"

class Toolbar;
class ToolbarDelegate;

// The toolbar of one session, beside its selection: made on first need with the capture
// window as its owner, placed after every change of the selection, kept over the capture
// window, and closed with its pop-ups when the session ends. The toolbar's widget goes with
// the owner window. UI thread only.
class SessionToolbar {
 public:
  // The owner's timer that keeps the pop-ups over it while the toolbar exists.
  static constexpr UINT_PTR kKeepOnTopTimer = 1;

  // `owner` owns the toolbar's windows on `desktop`, `delegate` hears its commands.
  void Attach(HWND owner, ToolbarDelegate* delegate, const base::DesktopGeometry& desktop);
  // Whether the toolbar offers the save button; the feedback form's sessions do not.
  void OfferSave(bool offer) { with_save_ = offer; }
  // The toolbar is gone with its owner.
  void Forget() { toolbar_ = nullptr; }

  // Puts the toolbar beside `selection` (desktop coordinates), making it or showing it; true
  // when it appeared.
  bool Place(const RECT& selection);
  void Hide();
  // Closes the toolbar and its pop-ups for good.
  void Close();

  // Where the shown toolbar goes for `selection`, both in desktop coordinates; false when it
  // does not show.
  bool GetTarget(const RECT& selection, RECT* rect) const;
  // The picker's settings while it shows, else null.
  const PickerSettings* OpenPicker() const;
  void ClosePopupMenus();
  // Disables or enables the toolbar and its picker, while a modal dialog runs.
  void EnableWindows(bool enable);
  // The toolbar takes a key pressed anywhere in the session; false while there is none.
  bool TakeKey(int virtual_key);

  // A mouse message that reached the owner at a pop-up's place, at `screen_point`: the
  // pop-ups go back on top and the message goes on to the one under the mouse. True when
  // it went on.
  bool ForwardMisrouted(UINT message, WPARAM wparam, POINT screen_point);
  // Puts the pop-ups back over the owner when the owner went over them.
  void KeepAbove();
  // Puts the pop-ups back over the owner on the display too.
  void RaiseOnTheDisplay();

  Toolbar* get() const { return toolbar_; }

 private:
  // The toolbar's place, in screen coordinates, for `selection` in desktop coordinates.
  ToolbarPlacement Plan(const RECT& selection) const;
  // The scale of the monitor the toolbar goes on for `selection`: the one of its bottom-right
  // corner, which the toolbar hangs from.
  base::DpiScale ScaleFor(const RECT& selection) const;
  // The toolbar's size on the screen for `selection`.
  SIZE Size(const RECT& selection) const;
  bool GetShownRect(RECT* rect) const;

  HWND owner_ = nullptr;
  ToolbarDelegate* delegate_ = nullptr;
  base::DesktopGeometry desktop_;
  bool with_save_ = true;
  Toolbar* toolbar_ = nullptr;
};
