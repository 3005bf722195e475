#pragma once

#include <windows.h>

#include "base/dpi_scale.h"

// Where the size label of the capture overlay goes, given the selection, the measured
// size of its text, the monitor that shows the selection's top-left corner, the toolbar's
// window rectangle (null without a toolbar), the height of the label's background picture
// and the scale of the monitor, all rectangles in one coordinate space and all lengths in
// physical pixels. The label sits above the selection's top-left
// corner; inside the selection when the monitor has no room above; left of the selection when
// it would run off the monitor's right edge, but never past the monitor's left edge; and out of
// the toolbar's way.
RECT LayOutSizeLabel(const RECT& selection,
                     SIZE text,
                     const RECT& monitor,
                     const RECT* toolbar,
                     int background_height,
                     base::DpiScale scale = {});
