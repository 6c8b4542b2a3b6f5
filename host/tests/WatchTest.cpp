// The card watch: its messages reach windows of the view class, one per poll.
#include "CameraFixture.h"

#include <cstdlib>

namespace {

int g_keepAlive, g_changed;

LRESULT CALLBACK ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CAMERA_KEEPALIVE && wParam == 0 && lParam == 0) ++g_keepAlive;
    if (message == WM_CAMERA_CHANGED && wParam == 0 && lParam == 0) ++g_changed;
    return DefWindowProcA(window, message, wParam, lParam);
}

void Pump(DWORD ms) {
    ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Pumps until done() holds or limitMs passed; answers whether it holds.
template <typename Condition>
bool PumpUntil(Condition done, DWORD limitMs) {
    ULONGLONG end = GetTickCount64() + limitMs;
    while (!done() && GetTickCount64() < end) Pump(20);
    return done();
}

}  // namespace

class WatchTest : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = ViewProc;
        wc.lpszClassName = "PV360_Mounter_View";
        wc.hInstance = GetModuleHandleA(nullptr);
        ATOM atom = RegisterClassA(&wc);
        ASSERT_TRUE(atom || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) << GetLastError();
        frame = CreateWindowA("STATIC", "explorer", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              nullptr, nullptr);
        view = CreateWindowA("PV360_Mounter_View", "", WS_CHILD, 0, 0, 10, 10, frame, nullptr, wc.hInstance,
                             nullptr);
        ASSERT_NE(nullptr, frame) << GetLastError();
        ASSERT_NE(nullptr, view) << GetLastError();
        g_keepAlive = g_changed = 0;
    }
    void TearDown() override {
        DestroyWindow(frame);
        _putenv("PVHOST_WATCH_POLL_MS=");
        CameraTest::TearDown();
    }
    HWND frame = nullptr, view = nullptr;
};

TEST_F(WatchTest, KeepAliveEachPollAndChangedWhenTheCardBitMoves) {
    _putenv("PVHOST_WATCH_POLL_MS=400");
    ASSERT_NE(nullptr, Open());
    // The first pass only notes the card bit; each later one posts a keep-alive.
    ASSERT_TRUE(PumpUntil([] { return g_keepAlive >= 2; }, 10000));
    EXPECT_EQ(0, g_changed);
    Sim("card out");
    ASSERT_EQ(0u, CameraReadStatus(camera));   // the watch only sees the cached record
    ASSERT_TRUE(PumpUntil([] { return g_changed >= 1; }, 10000));
    int keepAlive = g_keepAlive;
    ASSERT_TRUE(PumpUntil([&] { return g_keepAlive > keepAlive; }, 10000));
    EXPECT_EQ(1, g_changed) << "the bit moved once";
    // A disconnected camera's watch is paused: after a pass that may be under way, nothing comes.
    ASSERT_EQ(0u, CameraDisconnect(camera));
    Pump(500);
    int before = g_keepAlive + g_changed;
    Pump(1500);
    EXPECT_EQ(before, g_keepAlive + g_changed);
}

TEST_F(WatchTest, PollTakesTwentySeconds) {
    ASSERT_NE(nullptr, Open());
    ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(PumpUntil([] { return g_keepAlive >= 1; }, 60000));
    EXPECT_GE(GetTickCount64() - start, 19000u) << "the first keep-alive comes one poll after the first pass";
    EXPECT_EQ(0, g_changed);
}
