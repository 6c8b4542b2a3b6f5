// pvacquire.dll's entry point: the acquire manager lives from the library's load to its unload.
#include "AcquireManager.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        acquire::AcquireManager::Create();
        break;
    case DLL_PROCESS_DETACH:
        // At process exit the other threads are gone and the camera library may be too: only the
        // preferences are written back.
        if (reserved) {
            acquire::WriteCameraPreferences(acquire::AcquireManager::Instance().preferences());
        } else {
            acquire::AcquireManager::Destroy();
        }
        break;
    }
    return TRUE;
}
