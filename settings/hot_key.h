#pragma once

#include <string>

// The text form of a hot-key code, for example "CTRL+ALT+A" for 0x541: the modifiers in
// the order CTRL, SHIFT, ALT, each followed by "+", then the key. A key outside the known
// set leaves only the modifiers.
std::wstring HotKeyCodeText(long code);

// The text form of the hot key that the host suite has configured in the settings key.
// A missing value means the default "1345" (CTRL+ALT+A); an unreadable or malformed value
// gives the empty text.
std::wstring HotKeyText();
