#include "capture/window_map.h"

WindowMap WindowMap::ReadTopLevel() {
  WindowMap map;
  map.windows_ = ReadChildren(GetDesktopWindow(), false);
  return map;
}

// A top-level window that has moved since it was read keeps its place in the map, and its
// descendants go with it; one that has gone keeps none.
void WindowMap::ReadDescendants() {
  if (descendants_read_)
    return;
  descendants_read_ = true;
  for (Node& node : windows_) {
    RECT now = {};
    if (!GetWindowRect(node.window, &now))
      continue;
    node.children = ReadChildren(node.window, true);
    Offset(&node.children, node.rect.left - now.left, node.rect.top - now.top);
  }
}

// Only visible windows are descended into, so a window's own visible style tells whether it
// shows; that costs one question to the window system, where asking whether the window and
// each of its parents are visible costs several, which adds up over a busy desktop's
// thousands of windows.
std::vector<WindowMap::Node> WindowMap::ReadChildren(HWND parent, bool descend) {
  std::vector<Node> nodes;
  for (HWND window = GetWindow(parent, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE))
      continue;
    Node node = {window, {}, {}};
    GetWindowRect(window, &node.rect);
    if (descend)
      node.children = ReadChildren(window, true);
    nodes.push_back(std::move(node));
  }
  return nodes;
}

void WindowMap::Offset(std::vector<Node>* nodes, int dx, int dy) {
  if (dx == 0 && dy == 0)
    return;
  for (Node& node : *nodes) {
    OffsetRect(&node.rect, dx, dy);
    Offset(&node.children, dx, dy);
  }
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
