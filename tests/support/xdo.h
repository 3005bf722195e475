#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// Drives the X display the way a person would, through xdotool. Each call runs xdotool to
// its end before it returns (Wine starts Linux programs without a waitable handle, so the
// command reports its end through a marker file).
class Xdo {
 public:
  // Runs `xdotool <arguments>`; true when xdotool succeeded.
  static bool Run(const std::string& arguments);

  static bool MoveMouse(int x, int y);
  static bool Click(int x, int y, int button = 1);
  static bool DoubleClick(int x, int y);
  static bool Drag(int from_x, int from_y, int to_x, int to_y);
  // Presses a key by its X name ("Escape", "ctrl+s", "Left").
  static bool Key(const std::string& keys);
  static bool Type(const std::string& text);
  // Gives the keyboard to a window of this display.
  static bool Focus(HWND window);
};

}  // namespace testing_support
