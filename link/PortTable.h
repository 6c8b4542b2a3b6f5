// The process's table of port objects, indexed by port number 0 to 7. Entries are created by the
// first open and removed by the close that really closes the port, under the library-wide mutex.
#pragma once

#include "CommPort.h"

namespace pvlink {

constexpr DWORD kPortCount = 8;

class PortTable {
public:
    static PortTable& Instance();

    // The port's object, or null when the entry is empty or the number is outside 0 to 7.
    CCommPort* Find(DWORD port) const;
    DWORD Open(DWORD port);
    DWORD Close(DWORD port);

private:
    CCommPort* CreateEntry(DWORD port);
    CCommPort* ports_[kPortCount] = {};
};

}  // namespace pvlink
