// The card watch: every poll it compares the cached card bit with the last one and tells the
// Mounter's views, by a posted message, whether the card changed.
#include "SerialCamera.h"

#include "HostLibrary.h"
#include "HostResources.h"
#include "StatusRecord.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kPollIntervalMs = 20000;

// Tests may shorten the poll through PVHOST_WATCH_POLL_MS; nothing else changes it.
DWORD PollInterval() {
    const char* text = std::getenv("PVHOST_WATCH_POLL_MS");
    DWORD ms = text ? std::strtoul(text, nullptr, 10) : 0;
    return ms ? ms : kPollIntervalMs;
}

struct Delivery {
    std::string viewClass;
    UINT message;
};

BOOL CALLBACK PostToView(HWND window, LPARAM context) {
    auto* delivery = reinterpret_cast<Delivery*>(context);
    char name[64];
    if (GetClassNameA(window, name, sizeof name) && delivery->viewClass == name)
        PostMessageA(window, delivery->message, 0, 0);
    return TRUE;
}

BOOL CALLBACK PostToViewsBelow(HWND topLevel, LPARAM context) {
    EnumChildWindows(topLevel, PostToView, context);
    return TRUE;
}

void PostToViews(Delivery& delivery) { EnumWindows(PostToViewsBelow, reinterpret_cast<LPARAM>(&delivery)); }

}  // namespace

DWORD WINAPI CSerialCamera::CardWatchThread(LPVOID self) {
    static_cast<CSerialCamera*>(self)->WatchCard();
    return 0;
}

// Waits until the object is connected; false when the object is going away.
bool CSerialCamera::WaitUntilConnected() {
    HANDLE events[2] = {watchStop_.get(), watchResume_.get()};
    return WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

// The cached card bit, read under the camera mutex; false when the object went away first.
bool CSerialCamera::ReadCardBitUnlessStopping(DWORD& bit) {
    HANDLE events[2] = {watchStop_.get(), pvhost::CameraMutex()};
    DWORD r = WaitForMultipleObjects(2, events, FALSE, INFINITE);
    if (r != WAIT_OBJECT_0 + 1 && r != WAIT_ABANDONED_0 + 1) return false;
    bit = pvhost::StatusByte(30) & 0x80;
    ReleaseMutex(pvhost::CameraMutex());
    return true;
}

void CSerialCamera::WatchCard() {
    Delivery keepAlive{pvhost::LoadHostString(IDS_VIEW_CLASS), WM_CAMERA_KEEPALIVE};
    Delivery changed{keepAlive.viewClass, WM_CAMERA_CHANGED};
    DWORD previous = 0xFF;
    bool firstPass = true;
    DWORD interval = PollInterval();
    DWORD bit = 0;
    while (WaitUntilConnected() && ReadCardBitUnlessStopping(bit)) {
        if (bit == previous)
            PostToViews(keepAlive);
        else if (!firstPass)
            PostToViews(changed);
        previous = bit;
        firstPass = false;
        if (WaitForSingleObject(watchStop_.get(), interval) != WAIT_TIMEOUT) return;
    }
}
