// Stops the shell, runs an uninstall command while no Explorer holds the shell extension, and
// starts the shell again.
#pragma once

#include <windows.h>

namespace uninst {

// The whole run for the given command (the command line's tail); always answers 0, the helper's
// exit code.
int RunUninstall(HINSTANCE instance, const char* command);

}  // namespace uninst
