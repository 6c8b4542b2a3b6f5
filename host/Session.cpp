// The camera object's life: creation, connection, reset, speed handshake and recovery.
#include "SerialCamera.h"

#include "pvhost.h"
#include "HostLibrary.h"
#include "StatusRecord.h"
#include "pvlink.h"

#include <cstdlib>

namespace {

constexpr BYTE kCmdSetLinkSpeed = 0x41;
constexpr DWORD kBreakMs = 800;
constexpr DWORD kAfterBreakMs = 2000;
constexpr DWORD kResetSpeed = 9600;
constexpr DWORD kSpeedSwitchDelayMs = 20;

// Tests of the layers above may shorten the pause after the break through PVHOST_RESET_PAUSE_MS
// (with a simulator told to accept the shorter quiet line); nothing else changes it.
DWORD PauseAfterBreak() {
    const char* text = std::getenv("PVHOST_RESET_PAUSE_MS");
    DWORD ms = text ? std::strtoul(text, nullptr, 10) : 0;
    return ms ? ms : kAfterBreakMs;
}

// The speed written as its leading decimal digits in hexadecimal: 115200 -> 0x1152.
WORD SpeedCode(DWORD speed) {
    switch (speed) {
    case 9600: return 0x9600;
    case 19200: return 0x1920;
    case 38400: return 0x3840;
    case 57600: return 0x5760;
    case 115200: return 0x1152;
    case 230400: return 0x2304;
    default: return 0x0000;
    }
}

}  // namespace

CSerialCamera::CSerialCamera(DWORD port, DWORD speed) : port_(port), speed_(speed) {
    holdsRecord_ = pvhost::AcquireStatusRecord();
    if (!holdsRecord_) return;
    // The watch is paused by an event rather than by suspending its thread, which could stop it
    // inside a lock of the process (the heap's, the window manager's) and hang everyone else.
    watchStop_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    watchResume_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (watchStop_ && watchResume_)
        watchThread_.reset(CreateThread(nullptr, 0, CardWatchThread, this, 0, &watchThreadId_));
}

CSerialCamera::~CSerialCamera() {
    // The watch goes first, without the camera mutex: the caller may hold that mutex (a cancelled
    // OpenCamera does), and the watch may be waiting for it.
    StopWatch();
    pvhost::CameraMutexHold hold;
    Disconnect();
    if (holdsRecord_) pvhost::ReleaseStatusRecord();
}

// Every wait of the watch thread also waits for the stop event, so the thread ends at once.
void CSerialCamera::StopWatch() {
    if (!watchThread_) return;
    SetEvent(watchStop_.get());
    WaitForSingleObject(watchThread_.get(), INFINITE);
    watchThread_.reset();
}

DWORD CSerialCamera::Connect() {
    pvhost::CameraMutexHold hold;
    if (connected_) return kCamAlreadyConnected;
    if (!CommOpen(port_)) {
        connected_ = 0;
        return kCamPortOpenFailed;
    }
    SetEvent(watchResume_.get());
    connected_ = 1;
    return kCamOk;
}

DWORD CSerialCamera::Disconnect() {
    pvhost::CameraMutexHold hold;
    ResetEvent(watchResume_.get());
    if (!connected_) return kCamNotConnected;
    if (!CommClose(port_)) {
        DWORD location = 0;
        CommGetStatus(port_, nullptr, nullptr, nullptr, &location);
        if (location != kLocSuccess) return kCamPortCloseFailed;   // still connected
    }
    connected_ = 0;
    return kCamOk;
}

DWORD CSerialCamera::ResetCamera() {
    pvhost::CameraMutexHold hold;
    bool broke = CommSendBreak(port_, kBreakMs) != 0;
    Sleep(PauseAfterBreak());
    CommPurge(port_);
    bool slowed = CommSetSpeed(port_, kResetSpeed) != 0;
    return broke && slowed ? kCamOk : kCamResetFailed;
}

DWORD CSerialCamera::SetLinkSpeed() {
    if (!connected_) return kCamNotConnected;
    WORD code = SpeedCode(speed_);
    const BYTE args[4] = {static_cast<BYTE>(code >> 8), static_cast<BYTE>(code), 0, 0};
    DWORD r = RunCommandBlock(kCmdSetLinkSpeed, args, BlockAnswers::SpeedChange);
    if (r != kCamOk) return r;
    Sleep(kSpeedSwitchDelayMs);
    if (!CommSetSpeed(port_, speed_)) return kCamSpeedSwitchFailed;
    // The link quietly caps a speed above what the port's driver can do; the camera would then
    // listen at another speed than ours, so that is a failed switch too.
    DWORD actual = 0;
    if (CommGetSpeed(port_, &actual) && actual != speed_) return kCamSpeedSwitchFailed;
    return kCamOk;
}

DWORD CSerialCamera::Recover() {
    if (recovering_) return kCamOk;
    recovering_ = 1;
    if (Disconnect() == kCamOk && !connected_ && Connect() == kCamOk && ResetCamera() == kCamOk &&
        !speedChangeInProgress_ && SetLinkSpeed() == kCamOk && !speedChangeInProgress_)
        ReadStatus();
    recovering_ = 0;
    return kCamOk;
}

DWORD CSerialCamera::GetLinkStatus(COMSTAT* status, DWORD* errorMask, DWORD* lastError, DWORD* location) {
    pvhost::CameraMutexHold hold;
    COMSTAT s{};
    DWORD mask = 0, last = 0, where = 0;
    CommGetStatus(port_, &s, &mask, &last, &where);
    if (status) *status = s;
    if (errorMask) *errorMask = mask;
    if (lastError) *lastError = last;
    if (location) *location = where;
    return kCamOk;
}

DWORD CSerialCamera::QueryCardPresent(DWORD refresh) {
    pvhost::CameraMutexHold hold;
    if (refresh) CameraReadStatus(this);
    return connected_ && (pvhost::StatusByte(30) & 0x80) ? 1 : 0;
}

DWORD CSerialCamera::QueryInternalMemory() { return 0; }

DWORD CSerialCamera::GetModelByte() {
    pvhost::CameraMutexHold hold;
    return connected_ ? pvhost::StatusByte(1) : 3;
}
