#pragma once

#include "toolset/tool.h"

// Why a session is cancelled.
enum class CancelReason : int { kCancelButton = 0, kEscapeKey = 1, kRightClick = 2 };

// What asked for a save.
enum class SaveSource : int { kSaveButton = 0, kCtrlS = 1 };

// The commands of the toolbar and its pop-ups. The capture window implements it; the toolbar,
// the picker and the font-size list hold a pointer to it and never own it. UI thread only.
class ToolbarDelegate {
 public:
  // A tool was chosen, or chosen again (which switches it off when its picker closes).
  virtual void OnToolChosen(Tool tool) = 0;
  // An arrow key (VK_LEFT, VK_UP, VK_RIGHT or VK_DOWN) was pressed.
  virtual void OnArrowKey(int vk) = 0;
  // The user wants the session to end without a picture.
  virtual void OnCancel(CancelReason reason) = 0;
  // The copy-and-finish button was clicked.
  virtual void OnDone() = 0;
  // The save button was clicked or Ctrl+S pressed.
  virtual void OnSave(SaveSource source) = 0;
  // A colour was chosen in the picker; its settings hold the new colour.
  virtual void OnColorChanged() = 0;
  // A font size was chosen in the picker's list; its settings hold the new size.
  virtual void OnFontSizeChanged() = 0;
  // No toolbar control calls it: ends the message loop.
  virtual void OnQuit() = 0;
  // Ctrl+Z: takes back the last shape, or the text being typed.
  virtual void OnUndo() = 0;
  // Ctrl+Y: puts back what the last undo took, until a new shape is drawn.
  virtual void OnRedo() = 0;

 protected:
  // Never deleted through this interface.
  ~ToolbarDelegate() = default;
};
