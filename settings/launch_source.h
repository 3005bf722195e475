#pragma once

// Where the host suite started this session from, as told by the one command-line word.
// The values are the ones the host suite and the exit rules rely on.
enum class LaunchSource : int {
  kUnknown = 0,
  kFloatWin = 1,
  kLiteDesk = 2,
  kLiteDeskItem = 3,
  kHotKeyCtrlAltA = 4,
  kStartMenu = 5,
  kFeedback = 6,
  kHotKeyAltA = 7,
  kHotKeyOther = 8,
  kFloatWinMenu = 9,
};

// Classifies a wide argument vector (program name first). Exactly one argument is read,
// compared case-sensitively with the launch words; "keyboard" is told apart by the hot key
// the host suite has configured.
LaunchSource ParseLaunchSource(int argc, const wchar_t* const* argv);

// The same for this process's own command line.
LaunchSource ParseLaunchSource();
