// Each result code from the fault the simulator injects; the retry wrapper's recovery on the wire.
#include "CameraFixture.h"

#include <algorithm>

namespace {

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

class ResultCodesTest : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        ASSERT_NE(nullptr, Open());
    }
    // The simulator's transcript as it stands, markers included; cleared.
    std::string Transcript() { return Sim("transcript clear"); }
};

TEST_F(ResultCodesTest, CameraAnswersToTheCommandBlock) {
    Sim("fault reject 71");
    EXPECT_EQ(5u, camera->SetQuality(1));
    Sim("fault error 7C");
    EXPECT_EQ(13u, camera->TakePicture());
    Sim("fault error 41");
    EXPECT_EQ(20u, camera->SetLinkSpeed());   // the speed command takes no camera error
}

TEST_F(ResultCodesTest, NotReadyOnceWaitsAndRepeatsTwiceGivesTen) {
    Sim("fault notready 1");
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(0u, camera->SetFlashMode(2));
    EXPECT_GE(GetTickCount64() - start, 1400u);
    EXPECT_EQ(2, Count(HostBytes(), "720002000000001A"));
    Sim("fault notready 2");
    EXPECT_EQ(10u, camera->SetFlashMode(2));
}

TEST_F(ResultCodesTest, SilentCameraGivesNoAnswer) {
    Sim("fault silence 0");
    EXPECT_EQ(6u, camera->ReadStatus());
}

TEST_F(ResultCodesTest, BusyBytesBeforeTheCompletion) {
    Sim("fault busy 2 completion");
    EXPECT_EQ(0u, camera->SetSelfTimer(1));
    EXPECT_EQ("D1F0F000", (HostBytes(), CameraBytes()));
    Sim("fault busy 1 completion");
    Sim("fault silence 2");
    EXPECT_EQ(11u, camera->SetSelfTimer(0));
}

TEST_F(ResultCodesTest, CameraErrorInPlaceOfAPacket) {
    Sim("fault packet-error 1");
    EXPECT_EQ(11u, camera->ReadStatus());
}

TEST_F(ResultCodesTest, BadChecksumIsAskedAgainOnceThenCancelled) {
    Sim("fault badsum 1 1");
    EXPECT_EQ(0u, camera->ReadStatus());
    std::string host = HostBytes();
    EXPECT_EQ("7F0000000000001A" "E3" "D2", host);
    Sim("fault badsum 1 2");
    EXPECT_EQ(12u, camera->ReadStatus());
    EXPECT_EQ("7F0000000000001A" "E3" "E4", HostBytes());
}

TEST_F(ResultCodesTest, RefusedHostPacketIsWithdrawn) {
    Sim("fault nak 2");
    BYTE* entries = nullptr;
    DWORD count = 0;
    EXPECT_EQ(14u, camera->ListDirectory("\\PCCARD\\DCIMAGES", &entries, &count));
    FreeCameraBuffer(entries);
    std::string host = HostBytes();
    // Sent, sent again, then withdrawn twice (first byte FF) before the camera's verdict.
    EXPECT_EQ(2, Count(host, "805C504343415244"));
    EXPECT_EQ(2, Count(host, "FF5C504343415244"));
}

TEST_F(ResultCodesTest, AllocationFailureGivesOutOfMemory) {
    if (sizeof(void*) == 8) GTEST_SKIP() << "a 4 GiB buffer can be had in a 64-bit process";
    BYTE* data = nullptr;
    DWORD length = 0;
    EXPECT_EQ(15u, camera->ReadFileHead("\\PCCARD\\DCIMAGES\\ALBUM.CTL", 0xFFFFFFF0, &data, &length));
    EXPECT_EQ(nullptr, data);
}

TEST_F(ResultCodesTest, WrapperRecoversOnceForAFailureThatMayBeTheLinks) {
    Sim("fault notready 2");
    EXPECT_EQ(0u, CameraSetFlashMode(camera, 1));
    std::string t = Transcript();
    // Disconnect, connect, reset (the camera sees it as a quiet line), speed, status, then the retry.
    size_t reset = t.find("#reset");
    ASSERT_NE(std::string::npos, reset) << t;
    std::string after = t.substr(reset);
    after.erase(std::remove_if(after.begin(), after.end(), [](char c) { return c == ' ' || c == ':' || c == 'H' || c == 'C'; }), after.end());
    EXPECT_NE(std::string::npos, after.find("410011520000001A"));
    EXPECT_LT(after.find("410011520000001A"), after.find("7F0000000000001A"));
    EXPECT_LT(after.find("7F0000000000001A"), after.find("720001000000001A"));
    EXPECT_EQ(1, Count(t, "#reset"));
}

TEST_F(ResultCodesTest, WrapperLeavesTheCamerasFinalWordAlone) {
    Sim("fault reject 71");
    EXPECT_EQ(5u, CameraSetQuality(camera, 3));
    Sim("fault error 7C");
    EXPECT_EQ(13u, CameraTakePicture(camera));
    Sim("fault packet-error 1");
    EXPECT_EQ(11u, CameraReadStatus(camera));
    EXPECT_EQ(0, Count(Transcript(), "#reset"));
}

TEST_F(ResultCodesTest, SecondFailureRecoversAgainAndIsReturned) {
    // Two "not ready" answers fail the command; the recovery's speed command meets two more and
    // stops there; the second attempt fails the same way and is followed by a second recovery.
    Sim("fault notready 8");
    EXPECT_EQ(10u, CameraSetZoom(camera, 1));
    EXPECT_EQ(2, Count(Transcript(), "#reset"));
}
