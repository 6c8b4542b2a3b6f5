#include "MounterGlobals.h"

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
    HANDLE mutex = nullptr;
    IMalloc* allocator = nullptr;
    LPITEMIDLIST drives = nullptr;
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

void FreeRecord(GlobalRecord* record) {
    if (record->drives && record->allocator) record->allocator->Free(record->drives);
    if (record->allocator) record->allocator->Release();
    if (record->mutex) CloseHandle(record->mutex);
    delete record;
}

}  // namespace

HINSTANCE ModuleInstance() { return g_instance; }
void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

void LockModule() { InterlockedIncrement(&g_lockCount); }
void UnlockModule() { InterlockedDecrement(&g_lockCount); }
LONG ModuleLockCount() { return g_lockCount; }

IMalloc* ShellAllocator() {
    if (!g_record) return nullptr;
    RecordLock lock(g_record->mutex);
    return g_record->allocator;
}

LPCITEMIDLIST DrivesIdList() { return g_record ? g_record->drives : nullptr; }

bool HasGlobalRecord() { return g_record != nullptr; }

HRESULT CreateGlobalRecord() {
    if (g_record) return S_OK;
    auto* record = new (std::nothrow) GlobalRecord;
    if (!record) return E_OUTOFMEMORY;
    record->mutex = CreateMutexA(nullptr, FALSE, "MounterGlobalMutex");
    if (!record->mutex) {
        FreeRecord(record);
        return E_OUTOFMEMORY;
    }
    HRESULT hr;
    {
        RecordLock lock(record->mutex);
        hr = SHGetMalloc(&record->allocator);
        if (SUCCEEDED(hr)) hr = SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &record->drives);
    }
    if (FAILED(hr)) {
        FreeRecord(record);
        return hr;
    }
    g_record = record;
    return S_OK;
}

void DestroyGlobalRecord() {
    if (!g_record) return;
    FreeRecord(g_record);
    g_record = nullptr;
}

void SetLastViewInFileDialog(bool inFileDialog) { g_lastViewInFileDialog = inFileDialog; }
bool LastViewInFileDialog() { return g_lastViewInFileDialog; }

}  // namespace mounter
