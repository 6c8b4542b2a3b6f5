#include "ModuleStrings.h"
#include "LinkLibrary.h"

#include "LinkResources.h"
#include "PortTable.h"
#include "UniqueHandle.h"

namespace pvlink {
namespace {

HINSTANCE g_instance;
pv::UniqueHandle g_libraryMutex;
LONG g_attachments;

bool Attach(HINSTANCE instance) {
    if (g_attachments++ > 0) return true;
    g_instance = instance;
    std::string name = LoadLinkString(IDS_LIBRARY_MUTEX);
    if (name.empty()) return false;
    g_libraryMutex.reset(CreateMutexA(nullptr, FALSE, name.c_str()));
    return g_libraryMutex.valid();
}

// A library unloaded by FreeLibrary gives back the ports it still holds, so that other programs can
// open them; at process exit the system closes everything anyway.
void Detach(bool processEnding) {
    if (--g_attachments > 0) return;
    if (!processEnding) PortTable::Instance().ReleaseAll();
    g_libraryMutex.reset();
}

}  // namespace

HINSTANCE LinkInstance() { return g_instance; }
HANDLE LibraryMutex() { return g_libraryMutex.get(); }

std::string LoadLinkString(UINT id) { return pvtext::LoadModuleString(g_instance, id); }

}  // namespace pvlink

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) return pvlink::Attach(instance);
    if (reason == DLL_PROCESS_DETACH) pvlink::Detach(reserved != nullptr);
    return TRUE;
}
