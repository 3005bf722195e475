#include "capture/window_map.h"

WindowMap WindowMap::Read() {
  WindowMap map;
  map.windows_ = ReadChildren(GetDesktopWindow());
  return map;
}

// In stacking order, topmost first.
std::vector<WindowMap::Node> WindowMap::ReadChildren(HWND parent) {
  std::vector<Node> nodes;
  for (HWND window = GetWindow(parent, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (!IsWindowVisible(window))
      continue;
    Node node;
    GetWindowRect(window, &node.rect);
    node.children = ReadChildren(window);
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
