// The card watch: every poll it compares the cached card bit with the last one and tells the
// Mounter's views, by a posted message, whether the card changed.
#include "SerialCamera.h"

#include "HostLibrary.h"
#include "HostResources.h"

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

void PostToViews(UINT message) {
    Delivery delivery{pvhost::LoadHostString(IDS_VIEW_CLASS), message};
    EnumWindows(PostToViewsBelow, reinterpret_cast<LPARAM>(&delivery));
}

}  // namespace

DWORD WINAPI CSerialCamera::CardWatchThread(LPVOID self) {
    static_cast<CSerialCamera*>(self)->WatchCard();
    return 0;
}

void CSerialCamera::WatchCard() {
    DWORD previous = 0xFF;
    bool firstPass = true;
    DWORD interval = PollInterval();
    do {
        DWORD bit = GetCardBit();
        if (bit == previous)
            PostToViews(WM_CAMERA_KEEPALIVE);
        else if (!firstPass)
            PostToViews(WM_CAMERA_CHANGED);
        previous = bit;
        firstPass = false;
    } while (WaitForSingleObject(watchStop_, interval) == WAIT_TIMEOUT);
}
