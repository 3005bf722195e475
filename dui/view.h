#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/gdiplus.h"
#include "dui/point.h"
#include "dui/rectangle.h"

namespace dui {

class ClickListener;
class KeyListener;
class Widget;

// Whether SetAlpha touches only the view or its whole subtree.
enum class AlphaScope { kThisView, kSubtree };

// A rectangle of self-drawn user interface inside its parent, with an ordered list of owned
// child views: later children paint over earlier ones and are hit first. Views are placed
// by explicit bounds, paint with GDI+ into the back buffer of the Widget that hosts their
// tree, and hear of the mouse and keys through the host. A view is owned by its parent (the
// root by its Widget) and lives until the parent removes or deletes it. UI thread only.
class View {
 public:
  View();
  // Deletes the children in list order; the host window is not told.
  virtual ~View();

  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // Called after a change of appearance: asks for `rect` (own coordinates) to be painted
  // later. The part inside the view travels up to the root; nothing is painted here.
  virtual void SchedulePaintInRect(const Rectangle& rect);
  // The Widget hosting this view's tree, or null while the tree is not in one.
  virtual Widget* GetWidget();
  virtual Widget* GetWidget() const;
  // Called by the parent (the root by the host) with `clip` in own coordinates: paints
  // this view and its visible children in list order, touching nothing outside `clip`.
  virtual void Paint(Gdiplus::Graphics& g, const Rectangle& clip);
  // Called from Paint with g translated to this view and clipped; draws the view's own
  // content below its children.
  virtual void OnPaint(Gdiplus::Graphics& g);
  // Called when a key goes up; forwards to the key listener. The host never sends it.
  virtual void OnKeyReleased(int virtual_key);
  // Called on the content view when a key goes down; forwards to the key listener.
  virtual void OnKeyPressed(int virtual_key);
  // Called when the host window asks for a cursor over this view; true when it set one.
  // Points of this and the mouse operations are in root coordinates.
  virtual bool OnSetCursor(const Point& point);
  // Called for the host window's non-client hit test over this view; 0 means not handled.
  virtual int GetHitTestCode(const Point& point);
  // Called when the mouse comes over this view; tells the hover listener.
  virtual void OnMouseEntered(const Point& point);
  // Called for a further move over this view.
  virtual void OnMouseMoved(const Point& point);
  // Called when the left button goes down over this view.
  virtual void OnMousePressed(const Point& point);
  // Called when the left button goes up over this view; tells the click listener.
  virtual void OnMouseReleased(const Point& point);
  // Called when the mouse has left this view (or the view stops being the hovered one).
  virtual void OnMouseExited();
  // A broadcast to the children, last first, while visible and enabled.
  virtual void OnNotify();
  // Called on the root for a window command; passed to the children, last first, while
  // visible and enabled.
  virtual void OnCommand(int wparam, int lparam);
  // Called on the content view when the host window gets the content notification.
  virtual void OnAppMessage();
  // Called when this view's subtree leaves widget `widget`; passed to every child.
  virtual void OnRemovedFromWidget(Widget* widget);

  // The tree. A child is added once and never moved to another parent.
  void AddChildView(View* child);
  void AddChildViewAt(View* child, int index);
  // Tells the child it leaves the widget, makes the host forget it as hovered view, and
  // deletes it. A view that is not a child is ignored.
  void RemoveChildView(View* child);
  void RemoveAllChildViews();
  View* GetChildViewAt(int index) const;
  int GetChildViewCount() const { return static_cast<int>(children_.size()); }
  View* parent() const { return parent_; }

  // Bounds in the parent's coordinates. Setting them schedules no paint.
  void SetBounds(int x, int y, int width, int height);
  void SetSize(int width, int height) { SetBounds(bounds_.x, bounds_.y, width, height); }
  void SetPosition(int x, int y) { SetBounds(x, y, bounds_.width, bounds_.height); }
  void SetX(int x) { SetBounds(x, bounds_.y, bounds_.width, bounds_.height); }
  void SetY(int y) { SetBounds(bounds_.x, y, bounds_.width, bounds_.height); }
  const Rectangle& GetBounds() const { return bounds_; }
  int GetX() const { return bounds_.x; }
  int GetY() const { return bounds_.y; }
  int GetWidth() const { return bounds_.width; }
  int GetHeight() const { return bounds_.height; }
  // (0, 0, width, height): the view in its own coordinates.
  Rectangle GetLocalBounds() const { return {0, 0, bounds_.width, bounds_.height}; }

  void SchedulePaint();

  // The topmost, deepest visible and enabled view at `point` (parent coordinates; the root
  // is asked with client coordinates), or null.
  View* GetViewForPoint(const Point& point);
  // The first view without children, depth first, whose id is `id`; null when none.
  View* GetViewByID(int id);

  // An opacity for views to paint with; the framework keeps it but never applies it.
  void SetAlpha(uint8_t alpha, AlphaScope scope);
  uint8_t GetAlpha() const { return alpha_; }

  Point ConvertPointToRoot(const Point& point) const;
  Point ConvertPointFromRoot(const Point& point) const;
  Rectangle ConvertRectToRoot(const Rectangle& rect) const;
  // The view's bounds on the screen; relative to the root when not in a widget.
  Rectangle GetScreenBounds() const;

  void SetVisible(bool visible) { visible_ = visible; }
  bool IsVisible() const { return visible_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool IsEnabled() const { return enabled_; }
  void SetHandCursor(bool hand_cursor) { handCursor_ = hand_cursor; }
  bool HasHandCursor() const { return handCursor_; }
  void SetDraggable(bool draggable) { draggable_ = draggable; }
  bool IsDraggable() const { return draggable_; }
  void SetID(int id) { id_ = id; }
  int GetID() const { return id_; }
  void SetClickListener(ClickListener* listener) { clickListener_ = listener; }
  ClickListener* GetClickListener() const { return clickListener_; }
  void SetHoverListener(ClickListener* listener) { hoverListener_ = listener; }
  ClickListener* GetHoverListener() const { return hoverListener_; }
  void SetKeyListener(KeyListener* listener) { keyListener_ = listener; }
  KeyListener* GetKeyListener() const { return keyListener_; }

 protected:
  // Deletes the children in list order, without telling anyone.
  void DeleteChildViews();

 private:
  // Sum of the origins of this view and its ancestors.
  Point RootOrigin() const;
  using ChildList = std::vector<std::unique_ptr<View>>;

  ChildList::iterator FindChild(const View* child);
  // Detaches a child that is still in the list, telling it and the host it goes.
  void DetachChild(View* child, Widget* widget);

  bool visible_ = true;
  bool enabled_ = true;
  bool handCursor_ = false;
  bool draggable_ = false;
  Rectangle bounds_;
  uint8_t alpha_ = 255;
  View* parent_ = nullptr;
  ChildList children_;
  ClickListener* clickListener_ = nullptr;
  ClickListener* hoverListener_ = nullptr;
  KeyListener* keyListener_ = nullptr;
  int id_ = 0;
};

}  // namespace dui
