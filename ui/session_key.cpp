#include "ui/session_key.h"

#include <windows.h>

std::optional<SessionKey> SessionKeyFor(int virtual_key) {
  switch (virtual_key) {
    case VK_ESCAPE:
      return SessionKey::kCancel;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      return SessionKey::kNudge;
    default:
      break;
  }
  if (GetKeyState(VK_CONTROL) >= 0)
    return std::nullopt;
  switch (virtual_key) {
    case 'S':
      return SessionKey::kSave;
    case 'Z':
      return SessionKey::kUndo;
    case 'Y':
      return SessionKey::kRedo;
    default:
      return std::nullopt;
  }
}
