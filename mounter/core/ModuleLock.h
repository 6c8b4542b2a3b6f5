// Keeps the module loaded for as long as it lives: a member of the objects the module hands out.
#pragma once

#include "MounterGlobals.h"

namespace mounter {

class ModuleLock {
public:
    ModuleLock() { LockModule(); }
    ~ModuleLock() { UnlockModule(); }
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;
};

}  // namespace mounter
