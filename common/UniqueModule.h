// A loaded library, freed when it goes.
#pragma once

#include "UniqueResource.h"

#include <windows.h>

namespace pv {

struct ModuleTraits : NullHandle<HMODULE> {
    static void close(HMODULE h) { FreeLibrary(h); }
};

class UniqueModule : public UniqueResource<ModuleTraits> {
public:
    using UniqueResource::UniqueResource;
    static UniqueModule load(const char* name) { return UniqueModule(LoadLibraryA(name)); }
    // An export by name or by ordinal (MAKEINTRESOURCEA), as the caller's function type.
    template <typename Function>
    Function proc(const char* name) const {
        return get() ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(get(), name))) : nullptr;
    }
};

}  // namespace pv
