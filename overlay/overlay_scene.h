#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <vector>

#include "base/dpi_scale.h"
#include "overlay/decoration.h"

class Drawing;

// What one frame of the overlay shows, as the capture window tells the compositor: the
// selection with its decoration and size label, and the shapes on it. Made for each frame;
// the shapes belong to the capture window. UI thread.
struct OverlayScene {
  static constexpr int kHandleCount = 8;

  RECT selection = {};
  Decoration decoration = Decoration::kNone;
  // The handles' hit rectangles in the order their pictures are drawn, each picture at its
  // rectangle's top-left corner: where handles overlap, the later one lies on top.
  std::array<RECT, kHandleCount> handles = {};
  // The scale the frame and the handles are drawn at.
  base::DpiScale decoration_scale;
  // Whether the selection's size shows above it.
  bool labelled = false;
  // The monitor that shows the selection's top-left corner, which the label stays on.
  RECT label_monitor = {};
  // That monitor's scale, which the label is drawn at.
  base::DpiScale label_scale;
  // Where the toolbar goes, which the label keeps out of the way of; nothing without one.
  std::optional<RECT> toolbar;
  // The kept shapes in drawing order.
  std::vector<Drawing*> kept_shapes;
  // The shape being drawn; null without one.
  Drawing* current_shape = nullptr;
};
