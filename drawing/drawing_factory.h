#pragma once

#include <memory>
#include <string>

#include "drawing/drawing.h"

// Makes the shape for a type name: "rectangle", "arrow", "ellipse", "text" or "mosac",
// compared exactly, case included; the names are the toolbar's tool names. Any other name
// is a programming error: the check fails and no shape is made. The caller owns the shape.
std::unique_ptr<Drawing> CreateDrawing(const std::string& name);
