#pragma once

#include <windows.h>

// Where the size label of the capture overlay goes, given the selection, the measured
// size of its text, the screen width, the toolbar's window rectangle (null without a
// toolbar) and the height of the label's background picture. The label sits above the
// selection's top-left corner; inside the selection when there is no room above; left of
// the selection when it would run off the right edge; and out of the toolbar's way.
RECT LayOutSizeLabel(const RECT& selection,
                     SIZE text,
                     int screen_width,
                     const RECT* toolbar,
                     int background_height);
