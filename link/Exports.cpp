// The library's exported functions (by ordinal, see pvlink.def).
#include "PortTable.h"
#include "pvlink.h"

using pvlink::CCommPort;
using pvlink::PortTable;

namespace {

// The object stays alive for the caller's operation, even when another thread closes the port.
std::shared_ptr<CCommPort> Port(DWORD port) { return PortTable::Instance().Find(port); }

}  // namespace

extern "C" {

DWORD CommOpen(DWORD port) { return PortTable::Instance().Open(port); }

DWORD CommClose(DWORD port) { return PortTable::Instance().Close(port); }

DWORD CommGetStatus(DWORD port, COMSTAT* status, DWORD* errorMask, DWORD* lastError, DWORD* location) {
    auto p = Port(port);
    if (!p) return 0;
    p->GetStatus(status, errorMask, lastError, location);
    return 1;
}

DWORD CommRead(DWORD port, BYTE* buffer, DWORD count, DWORD* done) {
    auto p = Port(port);
    return p ? p->Read(buffer, count, done) : 0;
}

DWORD CommWrite(DWORD port, const BYTE* buffer, DWORD count, DWORD* done) {
    auto p = Port(port);
    return p ? p->Write(buffer, count, done) : 0;
}

DWORD CommSetSpeed(DWORD port, DWORD baud) {
    auto p = Port(port);
    return p ? p->SetSpeed(baud) : 0;
}

DWORD CommGetSpeed(DWORD port, DWORD* baud) {
    auto p = Port(port);
    return p ? p->GetSpeed(baud) : 0;
}

DWORD CommGetTimeouts(DWORD port, COMMTIMEOUTS* timeouts) {
    auto p = Port(port);
    return p ? p->GetTimeouts(timeouts) : 0;
}

DWORD CommSendBreak(DWORD port, DWORD milliseconds) {
    auto p = Port(port);
    return p ? p->SendBreak(milliseconds) : 0;
}

DWORD CommIsOpen(DWORD port) {
    auto p = Port(port);
    return p ? p->IsOpen() : 0;
}

DWORD CommPurge(DWORD port) {
    auto p = Port(port);
    return p ? p->Purge() : 0;
}

}  // extern "C"
