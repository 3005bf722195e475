#pragma once

// The annotation tools, in the order of their toolbar buttons. Everything else that tells
// tools apart reads their rows in the tool table (tool_table.h).
enum class Tool {
  kRectangle,
  kEllipse,
  kArrow,
  kText,
  kMosaic,
  kPen,
  kHighlighter,
  kStep,
  kRedact,
};

inline constexpr int kToolCount = 9;
