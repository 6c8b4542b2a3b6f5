// The module's entry points.
#include "ClassFactory.h"
#include "MounterApp.h"
#include "MounterGlobals.h"
#include "Registration.h"

extern "C" {

// At process termination (reserved set) other modules, the shell's allocator among them, may be gone
// already and the process's other threads have been stopped where they stood: nothing is shut down
// then, and the temporary area is emptied at the next start instead.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        mounter::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
        return CMounterApp::InitInstance();
    }
    if (reason == DLL_PROCESS_DETACH && !reserved) CMounterApp::ExitInstance();
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) { return GetMounterClassObject(clsid, iid, out); }

STDAPI DllCanUnloadNow() { return mounter::ModuleLockCount() == 0 ? S_OK : S_FALSE; }

// Answers S_OK whatever the registry accepted, as installers expect of this module.
STDAPI DllRegisterServer() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(mounter::ModuleInstance(), path, sizeof path);
    if (length > 0 && length < sizeof path) RegisterMounterServer(path);
    return S_OK;
}

}  // extern "C"
