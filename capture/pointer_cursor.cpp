#include "capture/pointer_cursor.h"

namespace {

const wchar_t* PointerId(PointerShape shape) {
  switch (shape) {
    case PointerShape::kMove:
      return IDC_SIZEALL;
    case PointerShape::kSizeNwse:
      return IDC_SIZENWSE;
    case PointerShape::kSizeNesw:
      return IDC_SIZENESW;
    case PointerShape::kSizeWe:
      return IDC_SIZEWE;
    case PointerShape::kSizeNs:
      return IDC_SIZENS;
    case PointerShape::kArrow:
      break;
  }
  return IDC_ARROW;
}

}  // namespace

HCURSOR LoadPointerCursor(PointerShape shape) {
  return LoadCursorW(nullptr, PointerId(shape));
}
