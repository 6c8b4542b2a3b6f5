#include "ManagerMemory.h"

namespace source {
namespace {

TW_HANDLE WINAPI GlobalAllocate(TW_UINT32 size) { return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size); }
void WINAPI GlobalRelease(TW_HANDLE block) { GlobalFree(static_cast<HGLOBAL>(block)); }
TW_MEMREF WINAPI GlobalLockBlock(TW_HANDLE block) { return GlobalLock(static_cast<HGLOBAL>(block)); }
void WINAPI GlobalUnlockBlock(TW_HANDLE block) { GlobalUnlock(static_cast<HGLOBAL>(block)); }

struct Calls {
    decltype(TW_ENTRYPOINT::DSM_MemAllocate) allocate = GlobalAllocate;
    decltype(TW_ENTRYPOINT::DSM_MemFree) free = GlobalRelease;
    decltype(TW_ENTRYPOINT::DSM_MemLock) lock = GlobalLockBlock;
    decltype(TW_ENTRYPOINT::DSM_MemUnlock) unlock = GlobalUnlockBlock;
};

Calls& InUse() {
    static Calls calls;
    return calls;
}

}  // namespace

void ManagerMemory::Use(const TW_ENTRYPOINT& entry) {
    if (entry.DSM_MemAllocate && entry.DSM_MemFree && entry.DSM_MemLock && entry.DSM_MemUnlock)
        InUse() = {entry.DSM_MemAllocate, entry.DSM_MemFree, entry.DSM_MemLock, entry.DSM_MemUnlock};
}

TW_HANDLE ManagerMemory::Allocate(TW_UINT32 size) { return InUse().allocate(size); }
void ManagerMemory::Free(TW_HANDLE block) { InUse().free(block); }
TW_MEMREF ManagerMemory::Lock(TW_HANDLE block) { return InUse().lock(block); }
void ManagerMemory::Unlock(TW_HANDLE block) { InUse().unlock(block); }

}  // namespace source
