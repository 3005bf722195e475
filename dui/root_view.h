#pragma once

#include "dui/view.h"

namespace dui {

// The root of a Widget's view tree, as large as the widget; its only child is the content
// view. Collects the paint requests of the tree into one dirty rectangle and asks its widget
// for one paint pass when the first request comes in. Owned by its Widget. UI thread only.
class RootView : public View {
 public:
  explicit RootView(Widget* widget);
  // Deletes the tree while this is still a root, so that the views find their widget
  // from their destructors.
  ~RootView() override;

  // Called by the views below with requests in root coordinates; merges them.
  void SchedulePaintInRect(const Rectangle& rect) override;
  // The widget that owns this root.
  Widget* GetWidget() override;
  Widget* GetWidget() const override;

  // The area to paint in the pending pass; empty afterwards.
  Rectangle TakeDirtyRect();

 private:
  Widget* widget_;
  Rectangle dirtyRect_;
};

}  // namespace dui
