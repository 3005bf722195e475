#pragma once

#include <windows.h>

// The whole life of the process: the single-instance guard, the dump monitor, the platform
// start-up, one capture session and the shutdown. Returns the exit code: -1 when another
// session runs, else the session outcome's exit code.
int RunApplication(HINSTANCE instance);
