#pragma once

// The selection states of the capture window. The numbers are the stored values.
enum class SelectionState : int {
  kDetecting = 0,      // nothing selected; the window under the mouse is highlighted
  kPressed = 1,        // button down to start a new selection, no movement yet
  kSelecting = 2,      // dragging out a new selection from the anchor
  kSelected = 3,       // a selection exists, after a new selection
  kMovePressed = 4,    // button down inside the selection
  kMoving = 5,         // the selection follows the mouse
  kMoved = 6,          // a selection exists, after a move
  kResizePressed = 7,  // button down on a handle
  kResizing = 8,       // the selection is being resized
  kResized = 9,        // a selection exists, after a resize
  kAnnotating = 10,    // a drawing tool is active
  kAnnotated = 11,     // shapes exist and no tool is active; the selection is frozen
};
