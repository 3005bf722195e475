#pragma once

// What the frame around the selection looks like: a highlight around a window, a frame with
// handles while the selection is dragged out, or settled.
enum class Decoration { kNone, kHighlight, kDraggingHandles, kSettledHandles };
