#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

// Drives the X display the way a person would, through xdotool. Each call runs xdotool to
// its end before it returns (Wine starts Linux programs without a waitable handle, so the
// command reports its end through a marker file).
//
// Points are Windows screen coordinates, on any monitor; X's root window starts at the
// top-left corner of the virtual screen, which lies left of or above the primary monitor
// when another monitor does, so each point is moved by that corner on its way to X.
class Xdo {
 public:
  // Runs `xdotool <arguments>`; true when xdotool succeeded. Points written into the
  // arguments are X root coordinates: see RootPoint.
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

  // The X root point of the Windows screen point (x, y), as "X Y".
  static std::string RootPoint(int x, int y);
  // The size of X's root window, which spans every monitor; none when X could not say.
  static std::optional<SIZE> DisplaySize();
};

}  // namespace testing_support
