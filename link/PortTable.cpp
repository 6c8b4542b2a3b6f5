#include "PortTable.h"

#include "CommPortException.h"
#include "LinkLibrary.h"
#include "LinkResources.h"

namespace pvlink {
namespace {

constexpr DWORD kLibraryMutexWaitMs = 10000;

// Holds the library-wide mutex for a table change. The wait is bounded; when it runs out the
// caller goes on without the mutex (and must not release what it does not own). Within the
// process the table has locks of its own, so a wait that ran out cannot make two objects.
class LibraryMutexHold {
public:
    LibraryMutexHold() {
        DWORD r = WaitForSingleObject(LibraryMutex(), kLibraryMutexWaitMs);
        owned_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }
    ~LibraryMutexHold() {
        if (owned_) ReleaseMutex(LibraryMutex());
    }
    LibraryMutexHold(const LibraryMutexHold&) = delete;
    LibraryMutexHold& operator=(const LibraryMutexHold&) = delete;

private:
    bool owned_;
};

}  // namespace

PortTable& PortTable::Instance() {
    static PortTable table;
    return table;
}

std::shared_ptr<CCommPort> PortTable::Find(DWORD port) {
    if (port >= kPortCount) return nullptr;
    std::lock_guard g(entriesLock_);
    return ports_[port];
}

std::shared_ptr<CCommPort> PortTable::CreateEntry(DWORD port) {
    std::string name = LoadLinkString(IDS_PORT_MUTEX_FIRST + port);
    pv::UniqueHandle mutex(name.empty() ? nullptr : CreateMutexA(nullptr, FALSE, name.c_str()));
    if (!mutex) throw CCommPortException(0, 0);
    auto object = std::make_shared<CCommPort>(port, std::move(mutex));
    std::lock_guard g(entriesLock_);
    ports_[port] = object;
    return object;
}

void PortTable::Remove(DWORD port) {
    std::lock_guard g(entriesLock_);
    ports_[port].reset();
}

DWORD PortTable::Open(DWORD port) {
    if (port >= kPortCount) return 0;
    std::lock_guard lifecycle(lifecycle_[port]);
    std::shared_ptr<CCommPort> object;
    {
        LibraryMutexHold hold;
        object = Find(port);
        if (!object) object = CreateEntry(port);
    }
    return object->Open();
}

DWORD PortTable::Close(DWORD port) {
    if (port >= kPortCount) return 0;
    std::lock_guard lifecycle(lifecycle_[port]);
    LibraryMutexHold hold;
    std::shared_ptr<CCommPort> object = Find(port);
    if (!object || !object->Close()) return 0;
    Remove(port);
    return 1;
}

void PortTable::ReleaseAll() {
    std::lock_guard g(entriesLock_);
    for (auto& entry : ports_) entry.reset();
}

}  // namespace pvlink
