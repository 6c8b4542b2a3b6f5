#include "MounterGlobals.h"

#include "ComPtr.h"
#include "UniqueHandle.h"

#include <memory>
#include <new>

namespace mounter {
namespace {

HINSTANCE g_instance = nullptr;
LONG g_lockCount = 0;
bool g_lastViewInFileDialog = false;

// The process-wide record: the shell allocator and My Computer's identifier list, guarded by a
// named mutex that every process loading the module shares.
struct GlobalRecord {
    DWORD reserved = 0;
    pv::UniqueHandle mutex;
    pv::ComPtr<IMalloc> allocator;
    LPITEMIDLIST drives = nullptr;   // the allocator's

    ~GlobalRecord() {
        if (drives && allocator) allocator->Free(drives);
    }
};
GlobalRecord* g_record = nullptr;

class RecordLock {
public:
    explicit RecordLock(HANDLE mutex) : m_mutex(mutex) {
        DWORD wait = WaitForSingleObject(m_mutex, INFINITE);
        m_owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
    ~RecordLock() {
        if (m_owned) ReleaseMutex(m_mutex);
    }
    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;

private:
    HANDLE m_mutex;
    bool m_owned;
};

}  // namespace

HINSTANCE ModuleInstance() { return g_instance; }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

void LockModule() { InterlockedIncrement(&g_lockCount); }
void UnlockModule() { InterlockedDecrement(&g_lockCount); }
LONG ModuleLockCount() { return g_lockCount; }

IMalloc* ShellAllocator() {
    if (!g_record) return nullptr;
    RecordLock lock(g_record->mutex.get());
    return g_record->allocator.get();
}

IMalloc* SwapShellAllocator(IMalloc* allocator) {
    if (!g_record) return nullptr;
    RecordLock lock(g_record->mutex.get());
    IMalloc* previous = g_record->allocator.detach();
    g_record->allocator = pv::ComPtr<IMalloc>::attach(allocator);
    return previous;
}

LPCITEMIDLIST DrivesIdList() { return g_record ? g_record->drives : nullptr; }

bool HasGlobalRecord() { return g_record != nullptr; }

HRESULT CreateGlobalRecord() {
    if (g_record) return S_OK;
    std::unique_ptr<GlobalRecord> record(new (std::nothrow) GlobalRecord);
    if (!record) return E_OUTOFMEMORY;
    record->mutex.reset(CreateMutexA(nullptr, FALSE, "MounterGlobalMutex"));
    if (!record->mutex) return E_OUTOFMEMORY;
    HRESULT hr;
    {
        RecordLock lock(record->mutex.get());
        hr = SHGetMalloc(record->allocator.put());
        if (SUCCEEDED(hr)) hr = SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &record->drives);
    }
    if (FAILED(hr)) return hr;
    g_record = record.release();
    return S_OK;
}

void DestroyGlobalRecord() {
    delete g_record;
    g_record = nullptr;
}

void SetLastViewInFileDialog(bool inFileDialog) { g_lastViewInFileDialog = inFileDialog; }
bool LastViewInFileDialog() { return g_lastViewInFileDialog; }

}  // namespace mounter
