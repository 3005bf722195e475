#include "capture/window_map.h"

#include <algorithm>

WindowMap WindowMap::Read(const std::vector<HWND>& left_out) {
  WindowMap map;
  map.windows_ = ReadChildren(GetDesktopWindow(), left_out);
  return map;
}

// In stacking order, topmost first. Only visible windows are descended into, so a window's
// own visible style tells whether it shows; that costs one question to the window system,
// where asking whether the window and each of its parents are visible costs several, which
// adds up over a busy desktop's thousands of windows.
std::vector<WindowMap::Node> WindowMap::ReadChildren(HWND parent,
                                                     const std::vector<HWND>& left_out) {
  std::vector<Node> nodes;
  for (HWND window = GetWindow(parent, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) ||
        std::find(left_out.begin(), left_out.end(), window) != left_out.end())
      continue;
    Node node;
    GetWindowRect(window, &node.rect);
    node.children = ReadChildren(window, {});
    nodes.push_back(std::move(node));
  }
  return nodes;
}

bool WindowMap::RectAt(POINT point, RECT* rect) const {
  const std::vector<Node>* level = &windows_;
  bool found = false;
  for (;;) {
    const Node* hit = nullptr;
    for (const Node& node : *level) {
      if (PtInRect(&node.rect, point)) {
        hit = &node;
        break;
      }
    }
    if (!hit)
      return found;
    *rect = hit->rect;
    found = true;
    level = &hit->children;
  }
}
