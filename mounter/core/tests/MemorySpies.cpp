#include "MemorySpies.h"

#include "MounterGlobals.h"

#include <vector>

namespace memoryspies {

ScopedAllocatorSpy::ScopedAllocatorSpy() : m_real(mounter::SwapShellAllocator(this)) {}

ScopedAllocatorSpy::~ScopedAllocatorSpy() { mounter::SwapShellAllocator(m_real); }

STDMETHODIMP ScopedAllocatorSpy::QueryInterface(REFIID iid, void** out) {
    *out = iid == IID_IUnknown || iid == IID_IMalloc ? static_cast<IMalloc*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
}

STDMETHODIMP_(void*) ScopedAllocatorSpy::Alloc(SIZE_T size) {
    if (m_refuseIn > 0 && --m_refuseIn == 0) return nullptr;
    void* block = m_real->Alloc(size);
    if (block) m_held.insert(block);
    return block;
}

STDMETHODIMP_(void*) ScopedAllocatorSpy::Realloc(void* block, SIZE_T size) {
    void* moved = m_real->Realloc(block, size);
    if (moved) {
        m_held.erase(block);
        m_held.insert(moved);
    }
    return moved;
}

STDMETHODIMP_(void) ScopedAllocatorSpy::Free(void* block) {
    m_held.erase(block);
    m_real->Free(block);
}

size_t LiveHeapBytes() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    size_t bytes = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        HeapUnlock(heap);
    }
    return bytes;
}

}  // namespace memoryspies
