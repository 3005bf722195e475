#pragma once

namespace dui {

// Receives the keys that reach a view. Not owned by the views that point to it; it must
// outlive them.
class KeyListener {
 public:
  // Called when a key goes up, with its virtual-key code.
  virtual void OnKeyReleased(int virtual_key) = 0;
  // Called when a key goes down (and on auto-repeat), with its virtual-key code.
  virtual void OnKeyPressed(int virtual_key) = 0;

 protected:
  ~KeyListener() = default;
};

}  // namespace dui
