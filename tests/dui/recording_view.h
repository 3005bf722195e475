#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/gdiplus.h"
#include "dui/rectangle.h"
#include "dui/view.h"

namespace dui_testing {

// A view that fills itself with one colour (none for 0) and writes what happens to it into
// a log: "name entered", "name moved", "name pressed", "name released", "name exited",
// "name command W L", "name key K", "name app message", "name removed", "name deleted".
// The log, if any, must outlive the view.
class RecordingView : public dui::View {
 public:
  RecordingView(std::string name, std::vector<std::string>* log, Gdiplus::ARGB color = 0)
      : name_(std::move(name)), log_(log), color_(color) {}
  ~RecordingView() override { Record("deleted"); }

  void OnPaint(Gdiplus::Graphics& g) override {
    ++paint_count_;
    Gdiplus::Rect clip;
    g.GetClipBounds(&clip);
    last_paint_clip_ = {clip.X, clip.Y, clip.Width, clip.Height};
    if (color_ == 0)
      return;
    Gdiplus::SolidBrush brush{Gdiplus::Color(color_)};
    g.FillRectangle(&brush, 0, 0, GetWidth(), GetHeight());
  }
  void OnMouseEntered(const dui::Point& point) override {
    Record("entered", point);
    View::OnMouseEntered(point);
  }
  void OnMouseMoved(const dui::Point& point) override { Record("moved", point); }
  void OnMousePressed(const dui::Point& point) override { Record("pressed", point); }
  void OnMouseReleased(const dui::Point& point) override {
    Record("released", point);
    View::OnMouseReleased(point);
  }
  void OnMouseExited() override { Record("exited"); }
  void OnCommand(int wparam, int lparam) override {
    Record("command " + std::to_string(wparam) + " " + std::to_string(lparam));
    View::OnCommand(wparam, lparam);
  }
  void OnKeyPressed(int virtual_key) override {
    Record("key " + std::to_string(virtual_key));
    View::OnKeyPressed(virtual_key);
  }
  void OnAppMessage() override { Record("app message"); }
  void OnRemovedFromWidget(dui::Widget* widget) override {
    Record("removed");
    View::OnRemovedFromWidget(widget);
  }

  int paint_count() const { return paint_count_; }
  // What the last paint could touch, in the view's own coordinates.
  const dui::Rectangle& last_paint_clip() const { return last_paint_clip_; }
  // The point of the last mouse notification, in root coordinates.
  const dui::Point& last_point() const { return last_point_; }

 private:
  void Record(const std::string& what) {
    if (log_)
      log_->push_back(name_ + " " + what);
  }
  void Record(const std::string& what, const dui::Point& point) {
    last_point_ = point;
    Record(what);
  }

  std::string name_;
  std::vector<std::string>* log_;
  Gdiplus::ARGB color_;
  int paint_count_ = 0;
  dui::Rectangle last_paint_clip_;
  dui::Point last_point_;
};

}  // namespace dui_testing
