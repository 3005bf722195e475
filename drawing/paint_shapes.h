#pragma once

#include <windows.h>

#include <vector>

class Drawing;

// One painting pass over the shapes on a selection, as the overlay runs it for a frame and
// the capture window for the finished picture: `dc` clipped to the selection (within the clip it
// has), one PaintContext for the pass, and each shape drawn in list order with its clipRect
// set to the selection. `dc` has its own clip back afterwards. UI thread only.
// False when a mosaic could not be painted: `dc` may then show in clear what it would hide,
// and must not be shown or given out as it is.
[[nodiscard]] bool PaintShapes(HDC dc, const RECT& selection, const std::vector<Drawing*>& shapes);

// The pass split in two: `shapes` painted over a picture that holds the shapes before them
// already, whose pass left `unmosaicked` unpainted by mosaics, as if the one pass went
// on; or, with `unmosaicked` null, a first part. `left_unmosaicked`, unless null, receives
// what this part leaves unpainted by mosaics. False as PaintShapes.
[[nodiscard]] bool PaintShapesAfter(HDC dc,
                                    const RECT& selection,
                                    const std::vector<Drawing*>& shapes,
                                    HRGN unmosaicked,
                                    HRGN left_unmosaicked);

// The pieces of `stroke` (a shape that paints piece by piece) from point `first` on, painted
// over a picture that holds its earlier pieces and all that its pass painted before them,
// which left `unmosaicked` unpainted by mosaics; `unmosaicked` then holds what these pieces
// leave. False as PaintShapes.
[[nodiscard]] bool PaintPiecesAfter(HDC dc,
                                    const RECT& selection,
                                    Drawing* stroke,
                                    size_t first,
                                    HRGN unmosaicked);
