// A loaded library, freed when it goes.
#pragma once

#include "UniqueResource.h"

#include <windows.h>

namespace pv {

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { FreeLibrary(h); }
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
