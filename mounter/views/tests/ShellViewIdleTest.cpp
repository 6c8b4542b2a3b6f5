// The idle timer at its real length: a view left alone for 45 seconds closes the camera session and
// frees the serial port; a keep-alive after that leaves the camera alone; the next command that
// needs the camera connects again.
#include "ViewFixture.h"

#include "CameraTypes.h"
#include "pvlink.h"

#include <cstdio>
#include <sstream>

using namespace viewtest;

namespace {

constexpr DWORD kPort = kCom - 1;
constexpr ULONGLONG kIdleMs = 45000;
// How long the test waits for the timer at most.
constexpr ULONGLONG kWaitLimitMs = 90000;

class ShellViewIdleTest : public ShellViewTest {
protected:
    // One of the simulator's counters.
    unsigned long Counter(const std::string& name) {
        std::istringstream counters(Sim("counters"));
        std::string field;
        while (counters >> field)
            if (field.rfind(name + "=", 0) == 0) return std::stoul(field.substr(name.size() + 1));
        ADD_FAILURE() << "no counter " << name;
        return 0;
    }
};

}  // namespace

TEST_F(ShellViewIdleTest, FortyFiveIdleSecondsCloseTheSessionAndALaterKeepAliveDoesNothing) {
    ASSERT_TRUE(CardFolder());
    TestBrowser& browser = NewBrowser();
    ULONGLONG opening = GetTickCount64();
    ASSERT_EQ(S_OK, OpenView(CardFolder(), browser));
    HWND container = ContainerOf(browser.Frame());
    ASSERT_TRUE(container);
    ASSERT_EQ(1u, CommIsOpen(kPort)) << "the view's session holds the port";

    Sim("clear");
    SendMessageA(container, WM_CAMERA_KEEPALIVE, 0, 0);
    EXPECT_GT(Counter("blocks"), 0ul) << "a keep-alive of an open session reads the status";

    while (CommIsOpen(kPort) && GetTickCount64() - opening < kWaitLimitMs) PumpMessages(250);
    ULONGLONG idle = GetTickCount64() - opening;
    std::printf("idle timer: the port was freed %llu ms after the view began to open\n", idle);
    ASSERT_EQ(0u, CommIsOpen(kPort)) << "the session is still open after " << idle << " ms";
    EXPECT_GE(idle, kIdleMs - 250) << "not before the idle time";

    Sim("clear");
    SendMessageA(container, WM_CAMERA_KEEPALIVE, 0, 0);
    PumpMessages(100);
    EXPECT_EQ(0ul, Counter("bytes_in")) << "nothing reaches the camera";
    EXPECT_EQ(0u, CommIsOpen(kPort)) << "the keep-alive does not reconnect";

    Command(browser, 1032);
    EXPECT_EQ(1u, CommIsOpen(kPort)) << "the thumbnails connect again";
    EXPECT_EQ(1ul, Counter("resets"));
    EXPECT_TRUE(IsWindowVisible(ThumbnailsOf(browser.Frame())));
}
