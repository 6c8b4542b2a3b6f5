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
    Pump(1000);   // polls at 0 (first pass: nothing), 400 and 800 ms
    EXPECT_EQ(2, g_keepAlive);
    EXPECT_EQ(0, g_changed);
    Sim("card out");
    ASSERT_EQ(0u, CameraReadStatus(camera));   // the watch only sees the cached record
    Pump(400);
    EXPECT_EQ(1, g_changed);
    // A disconnected camera's watch is suspended.
    ASSERT_EQ(0u, CameraDisconnect(camera));
    int before = g_keepAlive + g_changed;
    Pump(900);
    EXPECT_EQ(before, g_keepAlive + g_changed);
}

TEST_F(WatchTest, PollTakesTwentySeconds) {
    ASSERT_NE(nullptr, Open());
    Pump(19000);
    EXPECT_EQ(0, g_keepAlive);
    Pump(2500);
    EXPECT_EQ(1, g_keepAlive);
    EXPECT_EQ(0, g_changed);
}
