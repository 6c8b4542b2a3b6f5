// pvres.dll holds the acquire module's dialogs, bitmaps, pictures and texts and no logic: the
// acquire module asks it for its module handle and loads every resource from there.
#include <windows.h>

namespace {

HINSTANCE g_instance = nullptr;

}  // namespace

extern "C" {

HINSTANCE GetPvsourceResourceHandle() { return g_instance; }

// The exit procedure old loaders call before they free the library.
int WINAPI WEP(int) { return 1; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (!instance) return FALSE;
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

}  // extern "C"
