// The toolbar beside the selection: shown while the selection can change, hidden while it
// is being made, left alone while annotating.
#include "capture/capture_window.h"

namespace {

using State = SelectionState;

}  // namespace

void CaptureWindow::UpdateToolbar() {
  if (!model_.HasToolbar()) {
    toolbar_.Hide();
  } else if (model_.state() != State::kAnnotating && model_.state() != State::kAnnotated) {
    // The size label keeps out of the way of a shown toolbar, where the selection puts it, so
    // only a toolbar that appears changes the frame.
    if (toolbar_.Place(model_.selection()))
      PaintOverlay();
  }
}
