#pragma once

#include <windows.h>

// The text tool's edit box for its top-left corner `origin`, the size of its text (the
// widest line and the height of one line) and its line count: as wide as the text plus 20
// pixels and one line taller than its lines plus 10, but never closer than 3 pixels to the
// selection's right and bottom edges. An origin too close to those edges for one character
// and one line is moved left or up, inside the selection, so that typing stays visible.
RECT LayOutEditBox(POINT origin, SIZE text, int lines, const RECT& selection);
