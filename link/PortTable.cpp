#include "PortTable.h"

#include "CommPortException.h"
#include "LinkLibrary.h"
#include "LinkResources.h"

namespace pvlink {
namespace {

constexpr DWORD kLibraryMutexWaitMs = 10000;

// Holds the library-wide mutex for a table lookup. The wait is bounded; when it runs out the
// caller goes on without the mutex (and must not release what it does not own).
class LibraryMutexHold {
public:
    LibraryMutexHold() {
        DWORD r = WaitForSingleObject(LibraryMutex(), kLibraryMutexWaitMs);
        owned_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }
    ~LibraryMutexHold() { Release(); }
    void Release() {
        if (owned_) ReleaseMutex(LibraryMutex());
        owned_ = false;
    }

private:
    bool owned_;
};

}  // namespace

PortTable& PortTable::Instance() {
    static PortTable table;
    return table;
}

CCommPort* PortTable::Find(DWORD port) const { return port < kPortCount ? ports_[port] : nullptr; }

CCommPort* PortTable::CreateEntry(DWORD port) {
    std::string name = LoadLinkString(IDS_PORT_MUTEX_FIRST + port);
    HANDLE mutex = name.empty() ? nullptr : CreateMutexA(nullptr, FALSE, name.c_str());
    if (!mutex) throw CCommPortException(0, 0);
    ports_[port] = new CCommPort(port, mutex);
    return ports_[port];
}

DWORD PortTable::Open(DWORD port) {
    if (port >= kPortCount) return 0;
    CCommPort* object;
    {
        LibraryMutexHold hold;
        object = ports_[port] ? ports_[port] : CreateEntry(port);
    }
    return object->Open();
}

DWORD PortTable::Close(DWORD port) {
    if (port >= kPortCount) return 0;
    LibraryMutexHold hold;
    CCommPort* object = ports_[port];
    if (!object || !object->Close()) return 0;
    delete object;
    ports_[port] = nullptr;
    return 1;
}

}  // namespace pvlink
