#pragma once

#include <optional>

// The session's commands that keys stand for, wherever the keyboard is: the capture
// window, the toolbar and its pop-ups, or the text box.
enum class SessionKey {
  kCancel,  // Esc
  kNudge,   // an arrow key
  kSave,    // Ctrl+S
  kUndo,    // Ctrl+Z
  kRedo,    // Ctrl+Y
};

// The command of `virtual_key` pressed now (with Ctrl as it is held now), if it has one.
std::optional<SessionKey> SessionKeyFor(int virtual_key);
