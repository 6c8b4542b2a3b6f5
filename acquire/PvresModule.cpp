#include "PvresModule.h"

#include "ModuleStrings.h"
#include "pvres.h"

namespace acquire {

HINSTANCE PvresInstance() { return GetPvsourceResourceHandle(); }

std::string PvresString(UINT id, const char* fallback) {
    std::string text = pvtext::LoadModuleString(PvresInstance(), id);
    return text.empty() ? fallback : text;
}

ResourceBytes PvresResource(UINT id, UINT type) {
    HINSTANCE module = PvresInstance();
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type)) : nullptr;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (!loaded) return {};
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

}  // namespace acquire
