#pragma once

#include <windows.h>

#include <optional>
#include <utility>
#include <vector>

#include "base/dpi_scale.h"
#include "capture/selection_state.h"
#include "overlay/decoration.h"

// The eight handles of a selection, in the order of their hit rectangles.
enum class Handle { kTopLeft, kTopRight, kBottomLeft, kBottomRight, kLeft, kTop, kRight, kBottom };
inline constexpr int kHandleCount = 8;

// The shape the mouse pointer takes over the selection.
enum class PointerShape { kArrow, kMove, kSizeNwse, kSizeNesw, kSizeWe, kSizeNs };

// The selection of a capture session without a window: its twelve states, the anchor of a
// drag, the eight handles and their hit rectangles, and the rules by which presses, moves,
// releases and nudges make, move and resize it, always within `area` (the desktop, in the
// coordinates of its points). A new selection starts only where a monitor shows the
// desktop. The capture window feeds it the mouse and the keys and shows what it says. UI
// thread.
class SelectionModel {
 public:
  // `shown` are the parts of `area` that monitors show, none meaning all of it, and
  // `scales` their scales, which the handles are sized by (100 % where none is given).
  explicit SelectionModel(const RECT& area,
                          std::vector<RECT> shown = {},
                          std::vector<base::DpiScale> scales = {})
      : area_(area), shown_(std::move(shown)), scales_(std::move(scales)) {}

  SelectionState state() const { return state_; }
  const RECT& selection() const { return selection_; }
  const RECT& handle_rect(Handle handle) const { return handles_[static_cast<int>(handle)]; }
  Decoration decoration() const;
  // The scale of the monitor of the selection's top-left corner, which the handles are
  // sized by.
  base::DpiScale HandleScale() const;

  // While detecting: the window under the mouse, clipped to the area, becomes the
  // highlighted selection. True when the highlight changed.
  bool Highlight(const RECT& window);

  // The button went down at `point` in a state without a tool. True when it gave up the
  // selection there was for a new one. A press that would start a selection where no
  // monitor shows the desktop does nothing.
  bool Press(POINT point);
  // The mouse moved to `point` with the button down. True when the selection changed.
  bool Drag(POINT point);
  // The button came up at `point`. True when the session is back to detecting, and the
  // window under the mouse must be found again.
  bool Release(POINT point);
  // An arrow key: moves an idle selection by (dx, dy). True when it moved.
  bool Nudge(int dx, int dy);

  // A tool was chosen (`tool_chosen`) or switched off; a selection with shapes stays frozen.
  void ChooseTool(bool tool_chosen, bool has_shapes);
  // Undo took the last shape off the selection.
  void ShapesAllTakenBack();
  // Redo put a shape back on it.
  void ShapePutBack();

  // Whether the button is down on a selection being made, moved or resized.
  bool IsDragging() const;
  // Whether a selection is settled and can still change: moved, resized, nudged.
  bool IsIdleWithSelection() const;
  // Whether shapes can be drawn, taken back or put back on the selection now.
  bool CanChangeShapes() const;
  // Whether the state shows the toolbar beside the selection.
  bool HasToolbar() const;
  // Whether the selection's size shows above it: there is one, and it is no mere highlight.
  bool ShowsSize() const;

  // The pointer over `point`; nothing where the pointer stays as it is (while a selection is
  // dragged out, a resize off its handles, a tool's own pointer).
  std::optional<PointerShape> PointerAt(POINT point) const;

 private:
  // Which edges a resize moves.
  enum class ResizeAxis { kHorizontal, kVertical, kBoth };

  void StartResize(Handle handle);
  // Spans the selection from the anchor to `point`; a resize by an edge handle keeps the
  // other axis as it is.
  void SpanTo(POINT point);
  void MoveTo(POINT point);
  // The first handle whose hit rectangle holds `point`, trying them in `order`; none is
  // kHandleCount.
  int HandleAt(POINT point, const Handle (&order)[kHandleCount]) const;
  void PlaceHandles();

  // Whether a new selection may start at `point`.
  bool Shows(POINT point) const;

  RECT area_;
  std::vector<RECT> shown_;
  std::vector<base::DpiScale> scales_;
  SelectionState state_ = SelectionState::kDetecting;
  RECT selection_ = {};
  POINT anchor_ = {};
  ResizeAxis resize_axis_ = ResizeAxis::kHorizontal;
  RECT handles_[kHandleCount] = {};
};
