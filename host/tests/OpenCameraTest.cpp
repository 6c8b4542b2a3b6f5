// OpenCamera's progress protocol, cancelling at each step, and a failed connection.
#include "CameraFixture.h"
#include "pvlink.h"

#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

struct Call {
    DWORD text, mark, state;
    bool operator==(const Call&) const = default;
};

struct Script {
    std::vector<Call> calls;
    size_t cancelAt = SIZE_MAX;   // answer non-zero to this call (0-based)
    size_t throwAt = SIZE_MAX;    // throw out of this call
    ULONGLONG cancelledAt = 0;    // when the callback asked to cancel
};

DWORD CALLBACK Record(ULONG_PTR user, DWORD text, DWORD mark, DWORD state) {
    auto* s = reinterpret_cast<Script*>(user);
    s->calls.push_back({text, mark, state});
    if (s->calls.size() - 1 == s->throwAt) throw std::runtime_error("the caller's callback failed");
    if (s->calls.size() - 1 != s->cancelAt) return 0;
    s->cancelledAt = GetTickCount64();
    return 1;
}

constexpr DWORD kNone = 0xFFFFFFFF;

const std::vector<Call> kFreshPort = {
    {kNone, kNone, kNone},
    {586, 591, 264}, {586, 591, 262},
    {587, 592, 264}, {587, 592, 262},
    {588, 593, 264}, {588, 593, 262},
    {589, 594, 264}, {589, 594, 262},
};

DWORD OpenCount() {
    // The link's open count shows in how many closes it takes to really close the port.
    DWORD n = 0;
    while (n < 8 && CommIsOpen(kPort)) {
        ++n;
        if (CommClose(kPort)) break;
    }
    return n;
}

}  // namespace

TEST_F(CameraTest, FreshPortReportsEveryStep) {
    Script script;
    camera = OpenCamera(kPort, 115200, 1, Record, reinterpret_cast<ULONG_PTR>(&script));
    ASSERT_NE(nullptr, camera);
    EXPECT_EQ(kFreshPort, script.calls);
}

TEST_F(CameraTest, PortAlreadyOpenSkipsResetAndSpeedButReportsThem) {
    Open();
    ASSERT_NE(nullptr, camera);
    Script script;
    CSerialCamera* second = OpenCamera(kPort, 115200, 0, Record, reinterpret_cast<ULONG_PTR>(&script));
    ASSERT_NE(nullptr, second);
    std::vector<Call> expected = {{586, 591, 264}, {586, 591, 262}, {587, 592, 262}, {588, 593, 262}};
    EXPECT_EQ(expected, script.calls);
    EXPECT_EQ("", HostBytes());
    // Two objects share the status record: destroying one keeps it for the other.
    DestroyCamera(second);
    EXPECT_EQ(2u, camera->GetModelByte());
}

TEST_F(CameraTest, CancelAtEachStepLeavesNothingBehind) {
    // Cancelling at each step's announcement, and once after a step was done.
    for (size_t cancelAt : {1u, 3u, 4u, 5u, 7u}) {
        Sim("reset");
        Script script;
        script.cancelAt = cancelAt;
        EXPECT_EQ(nullptr, OpenCamera(kPort, 115200, 1, Record, reinterpret_cast<ULONG_PTR>(&script)));
        EXPECT_EQ(cancelAt + 1, script.calls.size());
        EXPECT_EQ(0u, CommIsOpen(kPort)) << "cancelled at call " << cancelAt;
        // Ending the watch thread and closing the port takes no time worth a user's wait.
        EXPECT_LT(GetTickCount64() - script.cancelledAt, 1000u) << "cancelled at call " << cancelAt;
    }
}

TEST_F(CameraTest, ExceptionOutOfTheCallbackLeavesNothingBehind) {
    for (size_t throwAt : {2u, 4u, 6u}) {
        Sim("reset");
        Script script;
        script.throwAt = throwAt;
        EXPECT_THROW(OpenCamera(kPort, 115200, 1, Record, reinterpret_cast<ULONG_PTR>(&script)), std::runtime_error);
        EXPECT_EQ(0u, CommIsOpen(kPort)) << "thrown at call " << throwAt;
    }
}

// The watch thread polls every 50 ms here; the test holds the camera mutex, so a poll is waiting
// for it when the object is destroyed.
TEST_F(CameraTest, DestroyDuringAPollIsPrompt) {
    _putenv("PVHOST_WATCH_POLL_MS=50");
    ASSERT_NE(nullptr, Open());
    _putenv("PVHOST_WATCH_POLL_MS=");
    pv::UniqueHandle mutex(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, "PV360_Camera_Mutex"));
    ASSERT_TRUE(mutex);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(mutex.get(), 5000));
    Sleep(200);
    ULONGLONG start = GetTickCount64();
    DestroyCamera(camera);
    camera = nullptr;
    EXPECT_LT(GetTickCount64() - start, 1000u);
    ReleaseMutex(mutex.get());
}

TEST_F(CameraTest, BusyPortThrowsWithTheLinksState) {
    peer.command("deadlink 1");   // COM1 cannot be opened now
    Script script;
    try {
        OpenCamera(kPort, 115200, 1, Record, reinterpret_cast<ULONG_PTR>(&script));
        FAIL() << "no exception";
    } catch (const CCameraException& e) {
        EXPECT_EQ(1u, e.GetKind());
        EXPECT_EQ(2u, e.GetResult());
        EXPECT_EQ(1u, e.GetLinkState().location);
        char text[200];
        e.GetErrorText(text, sizeof text);
        char expected[200];
        std::snprintf(expected, sizeof expected, "COMSTAT=flags:0000000 iq=0 oq=0\nCE=0x0000 LE=%u CPE=1 XC=1 ER=2",
                      static_cast<unsigned>(e.GetLinkState().lastError));
        EXPECT_STREQ(expected, text);
        char cut[8];
        e.GetErrorText(cut, sizeof cut);
        EXPECT_STREQ("COMSTAT", cut);
    }
    std::vector<Call> expected = {{kNone, kNone, kNone}, {586, 591, 264}, {586, 591, 263}};
    EXPECT_EQ(expected, script.calls);
    EXPECT_EQ(0u, OpenCount());
    auto s = peer.startSimulator(kCom, 1, "--no-throttle");   // for the fixture's tear-down
    sim = std::make_unique<pvtest::PeerClient>(s.control);
}

// Wine's serial driver reports a maximum of 115200 for a pseudo-terminal.
TEST_F(CameraTest, SpeedAboveWhatThePortDriverReachesFailsTheSpeedStep) {
    pv::UniqueHandle h(CreateFileA("COM1:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(h);
    COMMPROP properties{};
    GetCommProperties(h.get(), &properties);
    h.reset();
    ASSERT_EQ(DWORD(BAUD_115200), properties.dwMaxBaud);
    try {
        camera = OpenCamera(kPort, 230400, 1, nullptr, 0);
        FAIL() << "the open succeeded at a speed the port cannot run";
    } catch (const CCameraException& e) {
        EXPECT_EQ(1u, e.GetKind());
        EXPECT_EQ(4u, e.GetResult());
    }
    EXPECT_EQ(0u, CommIsOpen(kPort));
    Sim("reset");   // the camera went to 230400 and stays there until it is reset
    Sim("violations clear");
}
