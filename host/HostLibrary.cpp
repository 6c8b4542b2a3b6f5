#include "ModuleStrings.h"
#include "HostLibrary.h"

#include "HostResources.h"

namespace pvhost {
namespace {

HINSTANCE g_instance;
HANDLE g_cameraMutex;

bool Attach(HINSTANCE instance) {
    g_instance = instance;
    std::string name = LoadHostString(IDS_CAMERA_MUTEX);
    if (name.empty()) return false;
    g_cameraMutex = CreateMutexA(nullptr, FALSE, name.c_str());
    return g_cameraMutex != nullptr;
}

}  // namespace

HANDLE CameraMutex() { return g_cameraMutex; }

std::string LoadHostString(UINT id) { return pvtext::LoadModuleString(g_instance, id); }

}  // namespace pvhost

// Nothing is released at detachment: the system closes the mutex with the process.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) return pvhost::Attach(instance);
    return TRUE;
}
