// The memory of the containers the source exchanges with the application: a TWAIN 2 source
// manager that hands the source its entry points (DAT_ENTRYPOINT) also names the calls that
// allocate, free, lock and unlock them; without it they are movable global memory blocks.
#pragma once

#include "TwainTypes.h"
#include "UniqueResource.h"

namespace source {

class ManagerMemory {
public:
    // Takes the manager's memory calls; a record without all four leaves global memory in use.
    static void Use(const TW_ENTRYPOINT& entry);
    static TW_HANDLE Allocate(TW_UINT32 size);
    static void Free(TW_HANDLE block);
    static TW_MEMREF Lock(TW_HANDLE block);
    static void Unlock(TW_HANDLE block);
};

struct ManagerBlockTraits : pv::NullHandle<TW_HANDLE> {
    static void close(TW_HANDLE block) { ManagerMemory::Free(block); }
};
// An owned container; release() hands it to the application.
using ManagerBlock = pv::UniqueResource<ManagerBlockTraits>;

// The bytes of a container for as long as the lock lives; data() is null when the lock failed.
class ManagerLock {
public:
    explicit ManagerLock(TW_HANDLE block) : block_(block), data_(block ? ManagerMemory::Lock(block) : nullptr) {}
    ~ManagerLock() {
        if (data_) ManagerMemory::Unlock(block_);
    }
    ManagerLock(const ManagerLock&) = delete;
    ManagerLock& operator=(const ManagerLock&) = delete;

    void* data() const { return data_; }
    template <typename T>
    T* as() const { return static_cast<T*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }

private:
    TW_HANDLE block_;
    void* data_;
};

}  // namespace source
