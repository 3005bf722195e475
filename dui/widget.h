#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/dpi_scale.h"
#include "base/scoped_create_dc.h"
#include "base/scoped_gdi_object.h"
#include "base/scoped_select_object.h"
#include "dui/rectangle.h"

namespace dui {

class CMainDlg;
class RootView;
class View;
class WidgetHooks;

// Private messages of the host window.
inline constexpr UINT kPaintRequestMessage = WM_USER + 1;
inline constexpr UINT kDestroyRequestMessage = WM_USER + 2;
inline constexpr UINT kContentNotificationMessage = 11025;

// Puts one view tree on the screen: owns a borderless, layered, top-level tool window (its
// CMainDlg host), a 32-bit premultiplied back buffer the tree paints into with GDI+, and the
// tree's RootView. The tree is laid out at 100 %; the widget draws it at its display scale
// (the scale of the monitor its owner puts it on), so that its window, its buffer and the
// mouse's points are in physical pixels and the views' in 100 % ones. Turns the window's messages
// into view notifications, coalesces paint requests into one pass, presents with
// UpdateLayeredWindow at the widget's constant alpha, and runs one 33 ms timer for all its timer
// observers.
//
// Always made with new; it deletes itself when its window is destroyed (after Close, or when
// the system destroys the window with its owner), and only then: first the window, then the
// tree, the back buffer and the memory DC. Owners keep a raw pointer and forget it when they
// call Close. UI thread only.
class Widget {
 public:
  // Told of the shared timer's ticks.
  class TimerObserver {
   public:
    // Called on every tick with the milliseconds since the previous tick (since
    // registration for the first tick after the timer started).
    virtual void OnTimer(int elapsed_ms) = 0;

   protected:
    ~TimerObserver() = default;
  };

  // Told of system commands and moves of the host window.
  class WindowObserver {
   public:
    // Called for WM_SYSCOMMAND with its command; true when the observer handled it.
    virtual bool OnSysCommand(int command) = 0;
    // Called while the window moves, with its new position and size.
    virtual void OnWindowMoved(int x, int y, int width, int height) = 0;

   protected:
    ~WindowObserver() = default;
  };

  Widget();
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  // Creates the hidden window, owned by `parent` (may be null), and the back buffer of the
  // widget's current size. Once only.
  void Init(HWND parent);
  // The icon resource of the window; before Init.
  void SetIconId(int icon_id) { iconId_ = icon_id; }
  // Resizes the window (without moving or redrawing it) and the root, at 100 %. After Init
  // only within the size the widget had at Init, which the back buffer holds at any scale.
  void SetSize(int width, int height);
  const Rectangle& GetBounds() const { return bounds_; }
  // Draws the widget at `scale`: its window is resized and its back buffer made anew at that
  // scale, and the whole tree is painted again. The window keeps its top-left corner.
  void SetScale(base::DpiScale scale);
  base::DpiScale GetScale() const { return scale_; }

  // Replaces (and deletes) the content view, the root's only child. Null changes nothing.
  void SetContentsView(View* view);
  View* GetContentsView() const;
  RootView* GetRootView() const { return rootView_.get(); }

  void SetTitle(const std::wstring& title);
  // Shows or hides the window; a window that comes into view is painted anew. Showing a
  // shown window, or hiding a hidden one, does nothing.
  void Show(bool show);
  // Whether the window takes the keyboard when it shows or is clicked, as it does by
  // default. Pop-ups beside a window that keeps the keyboard (a toolbar beside a text being
  // typed) say no: they show and take clicks without becoming the active window.
  void SetActivatable(bool activatable) { activatable_ = activatable; }
  void Minimize();
  void Restore();
  // Hides the window and asks for its destruction; the widget stays valid until the
  // request is handled by the message loop. A widget whose window was never made is deleted
  // at once.
  void Close();

  void SchedulePaint();
  void SchedulePaintInRect(const Rectangle& rect);

  // Moves a shown window to (x, y) with the next repaint, which the caller schedules: one
  // update of the window system for the move and the new pixels instead of two. A hidden
  // window moves at once.
  void MoveWithNextPaint(int x, int y);

  // Paints what is scheduled and shows it now, with a move MoveWithNextPaint asked for,
  // rather than when the posted request comes: for a window that follows the mouse.
  void PaintNow();

  // Constant alpha of the whole window, applied on the next presentation.
  void SetAlpha(uint8_t alpha) { alpha_ = alpha; }
  uint8_t GetAlpha() const { return alpha_; }

  void AddTimerObserver(TimerObserver* observer);
  void RemoveTimerObserver(TimerObserver* observer);
  void AddWindowObserver(WindowObserver* observer);
  void RemoveWindowObserver(WindowObserver* observer);

  // Stops all mouse handling for good; a hovered view is told the mouse left.
  void DisableMouse();
  bool IsMouseEnabled() const { return mouseEnabled_; }
  // Called when `view` leaves the tree: forgets the hovered view if it is `view` or below.
  void ViewRemoved(View* view);

  // The window's rectangle on the screen, in physical pixels.
  Rectangle GetWindowBounds() const;
  // A rectangle of the root (at 100 %) on the screen.
  Rectangle RootToScreen(const Rectangle& rect) const;
  // Whether the destruction of the window ends the message loop (it does by default).
  void SetQuitOnClose(bool quit);

  HWND GetHwnd() const;
  // The memory DC holding the back buffer, for measuring text as it will be drawn.
  HDC GetMemoryDC() const { return memoryDC_.get(); }

  // Posts the one pending paint request; false when there is no window to post to.
  bool PostPaintRequest();

  // The host window's message handler: true when the message is handled, with its result.
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

  // The host program's rules for every widget; null for none.
  static void SetHooks(WidgetHooks* hooks);

  // Replaces the system tick counter read by the timer (null puts it back).
  using TickSource = DWORD(WINAPI*)();
  static void SetTickSourceForTesting(TickSource source);

 private:
  ~Widget();

  bool Dispatch(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  void CreateBackBuffer();
  // The window's size in physical pixels.
  SIZE PhysicalSize() const;
  // A point of the window's client area in the root's coordinates.
  Point ClientToRoot(POINT client) const;
  void SetIcons();
  void OnPaintRequest();
  void MoveToPendingPosition();
  void Present();
  void OnTimerTick();
  bool IsTimerObserver(const TimerObserver* observer) const;
  static WidgetHooks* hooks();
  bool OnSysCommand(WPARAM command);
  void OnWindowPosChanging(const WINDOWPOS& position);
  bool OnSetCursor();
  bool OnNcHitTest(LPARAM screen_point, LRESULT* result);
  void OnMouseMessage(UINT message, LPARAM lparam);
  void RouteMouse(UINT message, const Point& point);
  void OnMouseLeave();
  void ClearHoveredView();
  View* HitTest(const Point& client_point) const;
  // Ends the widget's use of its window: no more timer, no more messages. The widget
  // deletes itself when the message being handled returns.
  void DetachHost();
  void OnDestroyRequest();

  CMainDlg* host_ = nullptr;
  uint8_t alpha_ = 255;
  bool mouseEnabled_ = true;
  bool activatable_ = true;
  base::ScopedCreateDc memoryDC_;
  base::ScopedBitmap backBuffer_;
  // Keeps the back buffer selected into the memory DC and puts the DC's own bitmap back
  // before the buffer is deleted.
  std::unique_ptr<base::ScopedSelectObject> bufferSelection_;
  // Where the next presentation puts the window, when a move waits for it.
  std::optional<POINT> pendingPosition_;
  DWORD lastTick_ = 0;
  bool tracking_ = false;
  View* hoveredView_ = nullptr;
  Rectangle bounds_ = {0, 0, 800, 600};
  base::DpiScale scale_;
  // The size at Init, at 100 %: the largest the widget is given.
  SIZE bufferSize_ = {};
  std::vector<TimerObserver*> timerObservers_;
  std::vector<WindowObserver*> windowObservers_;
  int iconId_ = 0;
  std::unique_ptr<RootView> rootView_;
  // Nesting of the messages being handled, so that the widget deletes itself only once
  // the outermost one has returned.
  int dispatchDepth_ = 0;
  bool hostGone_ = false;
};

}  // namespace dui
