#pragma once

#include <windows.h>

#include "capture/selection_model.h"

// The system's cursor for a pointer shape the selection asks for.
HCURSOR LoadPointerCursor(PointerShape shape);
