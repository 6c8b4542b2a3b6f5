// Watching memory from a test: an allocator put in the place of the shell allocator that the
// Mounter allocates its identifiers with, which counts the blocks still held and can refuse an
// allocation; and the bytes held in the process's heaps, for what other allocators hand out.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <set>

namespace memoryspies {

class ScopedAllocatorSpy : public IMalloc {
public:
    ScopedAllocatorSpy();    // takes the record's place
    ~ScopedAllocatorSpy();   // gives it back
    ScopedAllocatorSpy(const ScopedAllocatorSpy&) = delete;
    ScopedAllocatorSpy& operator=(const ScopedAllocatorSpy&) = delete;

    // The allocation after the next `allowed` ones fails (once).
    void RefuseAfter(int allowed) { m_refuseIn = allowed + 1; }
    size_t Held() const { return m_held.size(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }   // lives on the test's stack
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(void*) Alloc(SIZE_T size) override;
    STDMETHODIMP_(void*) Realloc(void* block, SIZE_T size) override;
    STDMETHODIMP_(void) Free(void* block) override;
    STDMETHODIMP_(SIZE_T) GetSize(void* block) override { return m_real->GetSize(block); }
    STDMETHODIMP_(int) DidAlloc(void* block) override { return m_held.count(block) ? 1 : 0; }
    STDMETHODIMP_(void) HeapMinimize() override {}

private:
    IMalloc* m_real;
    std::set<void*> m_held;
    int m_refuseIn = 0;
};

// The bytes of every busy block of every heap of the process.
size_t LiveHeapBytes();

}  // namespace memoryspies
