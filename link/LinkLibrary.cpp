#include "ModuleStrings.h"
#include "LinkLibrary.h"

#include "LinkResources.h"

namespace pvlink {
namespace {

HINSTANCE g_instance;
HANDLE g_libraryMutex;
LONG g_attachments;

bool Attach(HINSTANCE instance) {
    if (g_attachments++ > 0) return true;
    g_instance = instance;
    std::string name = LoadLinkString(IDS_LIBRARY_MUTEX);
    if (name.empty()) return false;
    g_libraryMutex = CreateMutexA(nullptr, FALSE, name.c_str());
    return g_libraryMutex != nullptr;
}

void Detach() {
    if (--g_attachments > 0 || !g_libraryMutex) return;
    CloseHandle(g_libraryMutex);
    g_libraryMutex = nullptr;
}

}  // namespace

HINSTANCE LinkInstance() { return g_instance; }
HANDLE LibraryMutex() { return g_libraryMutex; }

std::string LoadLinkString(UINT id) { return pvtext::LoadModuleString(g_instance, id); }

}  // namespace pvlink

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) return pvlink::Attach(instance);
    if (reason == DLL_PROCESS_DETACH) pvlink::Detach();
    return TRUE;
}
