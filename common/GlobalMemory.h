// Global memory blocks: an owned block, freed when it goes unless handed on, and a lock that
// gives its bytes for a scope. And a local block that a system call allocated for its caller
// (FormatMessage with FORMAT_MESSAGE_ALLOCATE_BUFFER), freed with LocalFree.
#pragma once

#include "UniqueResource.h"

#include <windows.h>

namespace pv {

struct GlobalBlockTraits : NullHandle<HGLOBAL> {
    static void close(HGLOBAL h) { GlobalFree(h); }
};

// release() hands the block on (a data object's medium, a TWAIN application).
class GlobalBlock : public UniqueResource<GlobalBlockTraits> {
public:
    using UniqueResource::UniqueResource;
    // A new block of the given size and flags (GMEM_MOVEABLE, GMEM_ZEROINIT, ...); empty when
    // there is no memory.
    static GlobalBlock alloc(UINT flags, SIZE_T size) { return GlobalBlock(GlobalAlloc(flags, size)); }
};

// The bytes of a block for as long as the lock lives; data() is null when the lock failed.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), data_(block ? ::GlobalLock(block) : nullptr) {}
    ~LockedGlobal() {
        if (data_) ::GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;

    void* data() const { return data_; }
    template <typename T>
    T* as() const { return static_cast<T*>(data_); }
    SIZE_T size() const { return data_ ? GlobalSize(block_) : 0; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    HGLOBAL block_;
    void* data_;
};

struct LocalMemoryTraits : NullHandle<HLOCAL> {
    static void close(HLOCAL h) { LocalFree(h); }
};
using LocalMemory = UniqueResource<LocalMemoryTraits>;

}  // namespace pv
