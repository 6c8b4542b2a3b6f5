// The process's table of port objects, indexed by port number 0 to 7. Entries are created by the
// first open and removed by the close that really closes the port. Threads of the process share
// the table: a caller keeps the object it found alive for its own operation, and the opens and
// closes of one port run one at a time within the process.
#pragma once

#include "CommPort.h"

#include <memory>
#include <mutex>

namespace pvlink {

constexpr DWORD kPortCount = 8;

class PortTable {
public:
    static PortTable& Instance();

    // The port's object, or null when the entry is empty or the number is outside 0 to 7.
    std::shared_ptr<CCommPort> Find(DWORD port);
    DWORD Open(DWORD port);
    DWORD Close(DWORD port);
    // Empties the table; each object closes its port when its last user lets it go. For a library
    // that is unloaded while ports are still open.
    void ReleaseAll();

private:
    std::shared_ptr<CCommPort> CreateEntry(DWORD port);
    void Remove(DWORD port);

    std::mutex entriesLock_;               // guards ports_
    std::mutex lifecycle_[kPortCount];     // one open or close of each port at a time
    std::shared_ptr<CCommPort> ports_[kPortCount];
};

}  // namespace pvlink
