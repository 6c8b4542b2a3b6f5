// An OLE lock-bytes object over memory, so that a structured storage works on a buffer and
// never on a file: either the caller's bytes, read-only and not copied, or a buffer of its own
// that grows as a new storage is written.
#pragma once

#include <objbase.h>

#include <cstdint>
#include <vector>

namespace nif {

class MemoryLockBytes final : public ILockBytes {
public:
    // The caller's buffer, which must outlive every storage opened on it.
    static MemoryLockBytes* OverCallerBytes(const void* data, size_t size);
    static MemoryLockBytes* Growable();

    const uint8_t* data() const { return readOnly_ ? callerData_ : owned_.data(); }
    size_t size() const { return readOnly_ ? callerSize_ : owned_.size(); }
    bool readOnly() const { return readOnly_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE ReadAt(ULARGE_INTEGER offset, void* buffer, ULONG count, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE WriteAt(ULARGE_INTEGER offset, const void* buffer, ULONG count,
                                      ULONG* written) override;
    HRESULT STDMETHODCALLTYPE Flush() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;

private:
    MemoryLockBytes() = default;
    ~MemoryLockBytes() = default;

    LONG references_ = 1;
    bool readOnly_ = false;
    const uint8_t* callerData_ = nullptr;
    size_t callerSize_ = 0;
    std::vector<uint8_t> owned_;
};

}  // namespace nif
