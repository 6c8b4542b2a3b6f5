#include "CommPort.h"

#include "LinkLibrary.h"
#include "LinkResources.h"
#include "PortLock.h"
#include "SpeedTable.h"
#include "pvlink.h"

namespace pvlink {
namespace {

constexpr COMMTIMEOUTS kInitialTimeouts = {0, 1, 3000, 1, 3000};
constexpr int kTransferAttempts = 3;

}  // namespace

CCommPort::CCommPort(DWORD port, pv::UniqueHandle mutex)
    : working_(kInitialTimeouts), saved_(kInitialTimeouts), port_(port), mutex_(std::move(mutex)) {}

CCommPort::~CCommPort() {
    if (handle_) SetCommTimeouts(handle_.get(), &saved_);
}

void CCommPort::ClearError() { error_ = CommErrorState{}; }

void CCommPort::RecordSystemFailure(DWORD location) {
    error_ = CommErrorState{};
    error_.lastError = GetLastError();
    ClearCommError(handle_.get(), &error_.errorMask, &error_.status);
    error_.location = location;
}

void CCommPort::RecordFailure(DWORD location) {
    error_ = CommErrorState{};
    error_.location = location;
}

bool CCommPort::ApplyWorkingTimeouts() {
    if (SetCommTimeouts(handle_.get(), &working_)) return true;
    RecordSystemFailure(kLocTimeouts);
    return false;
}

DWORD CCommPort::Open() {
    PortLock lock(mutex_.get(), working_);
    if (!handle_) {
        std::string device = LoadLinkString(IDS_PORT_NAME_FIRST + port_);
        pv::UniqueHandle h(CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        if (!h) {
            DWORD lastError = GetLastError();
            RecordFailure(kLocOpenCreateFile);
            error_.lastError = lastError;
            return 0;
        }
        // The handle is kept only once the port is fully set up: a half-opened one (a device
        // that opens but is no serial port, a cable whose far end vanished) would otherwise be
        // taken as open by the next CommOpen.
        COMMPROP properties{};
        if (!GetCommProperties(h.get(), &properties)) {
            RecordSystemFailure(kLocOpenProperties);
            return 0;
        }
        if (!GetCommTimeouts(h.get(), &saved_) || !SetCommTimeouts(h.get(), &working_)) {
            RecordSystemFailure(kLocTimeouts);
            return 0;
        }
        maxBaud_ = properties.dwMaxBaud;
        handle_ = std::move(h);
    }
    ++openCount_;
    ClearError();
    return 1;
}

DWORD CCommPort::Close() {
    PortLock lock(mutex_.get(), working_);
    if (openCount_ == 0) {
        RecordFailure(kLocCloseNotOpen);
        return 0;
    }
    if (--openCount_ > 0) {
        ClearError();
        return 0;
    }
    PurgeQueues();
    if (!SetCommTimeouts(handle_.get(), &saved_)) {
        ++openCount_;
        RecordSystemFailure(kLocCloseRestoreTimeouts);
        return 0;
    }
    // Closed by hand rather than by the holder: a failing CloseHandle is the caller's to know.
    if (!CloseHandle(handle_.get())) {
        ++openCount_;
        RecordSystemFailure(kLocCloseHandle);
        return 0;
    }
    handle_.release();
    ClearError();
    return 1;
}

// Reads or writes count bytes in at most three attempts, each asking for what is still missing.
template <class Call>
DWORD CCommPort::Transfer(BYTE* buffer, DWORD count, DWORD* done, Call call, DWORD callLocation,
                          DWORD missingLocation, DWORD notOpenLocation) {
    PortLock lock(mutex_.get(), working_);
    if (!ApplyWorkingTimeouts()) return 0;
    if (!handle_) {
        RecordFailure(notOpenLocation);
        return 0;
    }
    DWORD moved = 0;
    bool failed = false;
    for (int attempt = 0; attempt < kTransferAttempts; ++attempt) {
        DWORD n = 0;
        if (!call(handle_.get(), buffer + moved, count - moved, &n)) {
            RecordSystemFailure(callLocation);
            failed = true;
        }
        moved += n;
        if (moved >= count) break;
    }
    if (done) *done = moved;
    if (moved < count) {
        RecordSystemFailure(missingLocation);
        return 0;
    }
    if (failed) return 0;
    ClearError();
    return 1;
}

DWORD CCommPort::Read(BYTE* buffer, DWORD count, DWORD* done) {
    auto read = [](HANDLE h, BYTE* p, DWORD n, DWORD* got) { return ReadFile(h, p, n, got, nullptr); };
    return Transfer(buffer, count, done, read, kLocReadCall, kLocReadMissing, kLocReadNotOpen);
}

DWORD CCommPort::Write(const BYTE* buffer, DWORD count, DWORD* done) {
    auto write = [](HANDLE h, BYTE* p, DWORD n, DWORD* put) { return WriteFile(h, p, n, put, nullptr); };
    return Transfer(const_cast<BYTE*>(buffer), count, done, write, kLocWriteCall, kLocWriteMissing,
                    kLocWriteNotOpen);
}

DWORD CCommPort::SetSpeed(DWORD baud) {
    PortLock lock(mutex_.get(), working_);
    DWORD top = TopSpeedForMaxBaud(maxBaud_);
    if (baud > top) baud = top;
    if (!handle_) {
        RecordFailure(kLocSetSpeedNotOpen);
        return 0;
    }
    PurgeQueues();
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_.get(), &dcb)) {
        RecordSystemFailure(kLocSetSpeedGetState);
        return 0;
    }
    // A speed outside the six is not an error: the port keeps its rate, framing is still set.
    if (IsSupportedSpeed(baud)) dcb.BaudRate = baud;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    if (!SetCommState(handle_.get(), &dcb)) {
        RecordSystemFailure(kLocSetSpeedSetState);
        return 0;
    }
    ClearError();
    return 1;
}

DWORD CCommPort::GetSpeed(DWORD* baud) {
    PortLock lock(mutex_.get(), working_);
    if (!handle_) {
        RecordFailure(kLocGetSpeedNotOpen);
        return 0;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_.get(), &dcb)) {
        RecordSystemFailure(kLocGetSpeedState);
        return 0;
    }
    if (!IsSupportedSpeed(dcb.BaudRate)) {
        RecordFailure(kLocGetSpeedUnlisted);
        return 0;
    }
    if (baud) *baud = dcb.BaudRate;
    ClearError();
    return 1;
}

DWORD CCommPort::GetTimeouts(COMMTIMEOUTS* timeouts) {
    PortLock lock(mutex_.get(), working_);
    if (!handle_) {
        RecordFailure(kLocGetTimeoutsNotOpen);
        return 0;
    }
    COMMTIMEOUTS current{};
    if (!GetCommTimeouts(handle_.get(), &current)) {
        RecordSystemFailure(kLocGetTimeoutsCall);
        return 0;
    }
    if (timeouts) *timeouts = current;
    ClearError();
    return 1;
}

DWORD CCommPort::SendBreak(DWORD milliseconds) {
    PortLock lock(mutex_.get(), working_);
    if (!ApplyWorkingTimeouts()) return 0;
    if (!handle_) {
        RecordFailure(kLocWriteNotOpen);
        return 0;
    }
    if (!SetCommBreak(handle_.get())) {
        RecordSystemFailure(kLocBreakSet);
        return 0;
    }
    Sleep(milliseconds);
    if (!ClearCommBreak(handle_.get())) {
        RecordSystemFailure(kLocBreakClear);
        return 0;
    }
    ClearError();
    return 1;
}

DWORD CCommPort::IsOpen() {
    PortLock lock(mutex_.get(), working_);
    return handle_ ? 1 : 0;
}

void CCommPort::PurgeQueues() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle_.get(), &errors, &status)) return;
    if (status.cbInQue) PurgeComm(handle_.get(), PURGE_RXCLEAR);
    if (status.cbOutQue) PurgeComm(handle_.get(), PURGE_TXCLEAR);
}

DWORD CCommPort::Purge() {
    PortLock lock(mutex_.get(), working_);
    PurgeQueues();
    return 1;
}

void CCommPort::GetStatus(COMSTAT* status, DWORD* errorMask, DWORD* lastError, DWORD* location) {
    PortLock lock(mutex_.get(), working_);
    if (status) *status = error_.status;
    if (errorMask) *errorMask = error_.errorMask;
    if (lastError) *lastError = error_.lastError;
    if (location) *location = error_.location;
}

}  // namespace pvlink
