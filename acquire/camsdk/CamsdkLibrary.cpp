// pvcamsdk.dll's own module entry. pvhost exports a DllMain of its own, and without this one the
// 64-bit start-up code would find that export in pvhost's import library and run it for this module.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
