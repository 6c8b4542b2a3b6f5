// pvsource.ds: the TWAIN data source's module entry and its one export, DS_Entry, with the calling
// convention TWAIN prescribes on Windows.
#include "SourceContext.h"

extern "C" {

TW_UINT16 WINAPI DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData) {
    source::SourceContext* context = source::SourceContext::Instance();
    return context ? context->Entry(pOrigin, DG, DAT, MSG, pData) : TWRC_FAILURE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        source::SourceContext::Create(instance);
        break;
    case DLL_PROCESS_DETACH:
        // At process exit the libraries beneath may be gone already.
        if (!reserved) source::SourceContext::Destroy();
        break;
    }
    return TRUE;
}

}  // extern "C"
