#include "MemoryLockBytes.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace nif {
namespace {

// A grown storage is never larger than this; beyond it writes fail as a full medium.
constexpr uint64_t kMaxGrowableSize = 512u * 1024 * 1024;

}  // namespace

MemoryLockBytes* MemoryLockBytes::OverCallerBytes(const void* data, size_t size) {
    auto* bytes = new (std::nothrow) MemoryLockBytes;
    if (!bytes) return nullptr;
    bytes->readOnly_ = true;
    bytes->callerData_ = static_cast<const uint8_t*>(data);
    bytes->callerSize_ = data ? size : 0;
    return bytes;
}

MemoryLockBytes* MemoryLockBytes::Growable() { return new (std::nothrow) MemoryLockBytes; }

HRESULT MemoryLockBytes::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ILockBytes)) {
        *object = static_cast<ILockBytes*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG MemoryLockBytes::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG MemoryLockBytes::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT MemoryLockBytes::ReadAt(ULARGE_INTEGER offset, void* buffer, ULONG count, ULONG* read) {
    if (!buffer) return STG_E_INVALIDPOINTER;
    ULONG done = 0;
    if (offset.QuadPart < size()) {
        done = static_cast<ULONG>(std::min<uint64_t>(count, size() - offset.QuadPart));
        std::memcpy(buffer, data() + offset.QuadPart, done);
    }
    if (read) *read = done;
    return S_OK;
}

HRESULT MemoryLockBytes::WriteAt(ULARGE_INTEGER offset, const void* buffer, ULONG count, ULONG* written) {
    if (written) *written = 0;
    if (readOnly_) return STG_E_ACCESSDENIED;
    if (!buffer) return STG_E_INVALIDPOINTER;
    uint64_t end = offset.QuadPart + count;
    if (end > kMaxGrowableSize) return STG_E_MEDIUMFULL;
    try {
        if (end > owned_.size()) owned_.resize(static_cast<size_t>(end));
    } catch (const std::bad_alloc&) {
        return STG_E_INSUFFICIENTMEMORY;
    }
    std::memcpy(owned_.data() + offset.QuadPart, buffer, count);
    if (written) *written = count;
    return S_OK;
}

HRESULT MemoryLockBytes::SetSize(ULARGE_INTEGER size) {
    if (readOnly_) return size.QuadPart == callerSize_ ? S_OK : STG_E_ACCESSDENIED;
    if (size.QuadPart > kMaxGrowableSize) return STG_E_MEDIUMFULL;
    try {
        owned_.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return STG_E_INSUFFICIENTMEMORY;
    }
    return S_OK;
}

// Memory is private to its storage: there is nothing to lock against.
HRESULT MemoryLockBytes::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return S_OK; }
HRESULT MemoryLockBytes::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return S_OK; }

HRESULT MemoryLockBytes::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat);
    stat->type = STGTY_LOCKBYTES;
    stat->cbSize.QuadPart = size();
    stat->grfMode = readOnly_ ? STGM_READ : STGM_READWRITE;
    return S_OK;
}

}  // namespace nif
