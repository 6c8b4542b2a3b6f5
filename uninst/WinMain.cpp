// pvuninst.exe: the uninstall command is everything after the program's own name.
#include "CommandTail.h"
#include "UninstallHelper.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return uninst::RunUninstall(instance, uninst::CommandTail(GetCommandLineA()));
}
