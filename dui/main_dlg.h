#pragma once

#include <windows.h>

namespace dui {

class Widget;

// The host window of one Widget: a control-less, borderless, layered pop-up tool window
// made from an in-memory dialog template, which passes its messages on to the widget.
// Owns itself: it is made by the widget and deletes itself when its window receives its
// final message, posting the quit message first unless told not to. UI thread only.
class CMainDlg {
 public:
  // Creates the modeless window owned by `owner` (may be null) for `widget`; null when
  // the window cannot be made.
  static CMainDlg* Create(Widget* widget, HWND owner);

  CMainDlg(const CMainDlg&) = delete;
  CMainDlg& operator=(const CMainDlg&) = delete;

  HWND hwnd() const { return hwnd_; }
  // Stops passing messages to the widget.
  void DetachWidget() { widget_ = nullptr; }
  void SetQuitOnFinalMessage(bool quit) { quitOnFinalMessage_ = quit; }

 private:
  explicit CMainDlg(Widget* widget) : widget_(widget) {}
  ~CMainDlg() = default;

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static INT_PTR ForwardToWidget(Widget* widget,
                                 HWND hwnd,
                                 UINT message,
                                 WPARAM wparam,
                                 LPARAM lparam);
  void OnInitDialog(HWND hwnd);
  void OnFinalMessage();

  HWND hwnd_ = nullptr;
  Widget* widget_;
  bool quitOnFinalMessage_ = true;
};

}  // namespace dui
