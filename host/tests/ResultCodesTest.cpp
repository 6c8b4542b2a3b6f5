// Each result code from the fault the simulator injects; the retry wrapper's recovery on the wire.
#include "CameraFixture.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace {

std::vector<BYTE> ReadCardBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

class ResultCodesTest : public CameraTest {
protected:
    // Buffers above 16 MiB are refused as if memory ran out, so that both architectures meet 15.
    void SetUp() override {
        _putenv("PVHOST_MAX_BUFFER_BYTES=16777216");
        CameraTest::SetUp();
        ASSERT_NE(nullptr, Open());
    }
    void TearDown() override {
        _putenv("PVHOST_MAX_BUFFER_BYTES=");
        CameraTest::TearDown();
    }
    std::vector<BYTE> ReadCard(const std::string& relative) { return ReadCardBytes(CardPath(relative)); }
    // The plain listing of the card's picture folder (no retry): its result.
    DWORD ListPictureFolder() {
        BYTE* entries = nullptr;
        DWORD count = 0;
        DWORD r = camera->ListDirectory("\\PCCARD\\DCIMAGES", &entries, &count);
        FreeCameraBuffer(entries);
        return r;
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
    EXPECT_EQ(14u, ListPictureFolder());
    std::string host = HostBytes();
    // Sent, sent again, then withdrawn twice (first byte FF) before the camera's verdict.
    EXPECT_EQ(2, Count(host, "805C504343415244"));
    EXPECT_EQ(2, Count(host, "FF5C504343415244"));
}

// A camera that refuses even the withdrawn copies: the host gives up after whole pairs and leaves
// no half-sent packet behind, so the next command meets a quiet line.
TEST_F(ResultCodesTest, EndlessRefusalEndsAfterWholeWithdrawnPairs) {
    Sim("fault nak 8");
    EXPECT_EQ(14u, ListPictureFolder());
    Sim("fault clear");
    EXPECT_EQ(0u, camera->ReadStatus());
    std::string host = HostBytes();
    EXPECT_EQ(2, Count(host, "805C504343415244"));
    EXPECT_EQ(4, Count(host, "FF5C504343415244"));
    // The camera's own limit on refusals is all it reports; no stray bytes before the status command.
    EXPECT_EQ("OK 1 | host data packet still not accepted after 4 tries", "OK " + Sim("violations"));
    Sim("violations clear");
}

TEST_F(ResultCodesTest, AllocationFailureGivesOutOfMemory) {
    BYTE* data = nullptr;
    DWORD length = 0;
    EXPECT_EQ(15u, camera->ReadFileHead("\\PCCARD\\DCIMAGES\\ALBUM.CTL", 64u << 20, &data, &length));
    EXPECT_EQ(nullptr, data);
}

TEST_F(ResultCodesTest, NoMemoryAndBadArgumentsAreFinalWithoutRecovery) {
    BYTE* data = nullptr;
    DWORD length = 0;
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(16u, CameraReadFileHead(camera, "\\PCCARD\\DCIMAGES\\ALBUM.CTL", 0, &data, &length));
    EXPECT_EQ(15u, CameraReadFileHead(camera, "\\PCCARD\\DCIMAGES\\ALBUM.CTL", 64u << 20, &data, &length));
    EXPECT_LT(GetTickCount64() - start, 1500u);
    EXPECT_EQ(0, Count(Transcript(), "#reset"));
}

TEST_F(ResultCodesTest, MissingPathIsABadArgumentAndLeavesTheCameraReady) {
    BYTE* data = nullptr;
    DWORD size = 0, length = 0;
    EXPECT_EQ(16u, CameraReadPictureFile(camera, nullptr, &data, &size, nullptr, 0));
    EXPECT_EQ(16u, CameraReadFileHead(camera, nullptr, 100, &data, &length));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(std::string::npos, HostBytes().find("9A0000000000001A"));
    EXPECT_EQ(0u, CameraReadStatus(camera));
}

// A failed middle packet of a file head, then a cancel that succeeds, is still a failed read.
TEST_F(ResultCodesTest, FileHeadWithAFailedMiddlePacketFails) {
    PutCardFile("PCCARD/DCIMAGES/H.DAT", 5000);
    Sim("fault busy 1001 control 2");   // more busy bytes than a host waits out, before the second file packet
    BYTE* data = nullptr;
    DWORD length = 0;
    EXPECT_EQ(11u, CameraReadFileHead(camera, "\\PCCARD\\DCIMAGES\\H.DAT", 1500, &data, &length));
    EXPECT_EQ(0u, length);
    FreeCameraBuffer(data);
    EXPECT_EQ(0u, CameraReadStatus(camera));
}

// A transient fault in the middle of a read, cured by the recovery: the second attempt starts
// with a fresh output and delivers the whole.
TEST_F(ResultCodesTest, ReadsWithAnOutputAreRetriedWhole) {
    PutCardFile("PCCARD/DCIMAGES/R.DAT", 3000);
    std::vector<BYTE> card = ReadCard("PCCARD/DCIMAGES/R.DAT");
    Sim("fault badsum 3 2");
    BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_EQ(0u, CameraReadPictureFile(camera, "\\PCCARD\\DCIMAGES\\R.DAT", &data, &size, nullptr, 0));
    EXPECT_EQ(card, std::vector<BYTE>(data, data + size));
    FreeCameraBuffer(data);

    Sim("fault badsum 2 2");
    data = nullptr;
    DWORD length = 0;
    ASSERT_EQ(0u, CameraReadFileHead(camera, "\\PCCARD\\DCIMAGES\\R.DAT", 1500, &data, &length));
    EXPECT_EQ(std::vector<BYTE>(card.begin(), card.begin() + 1500), std::vector<BYTE>(data, data + 1500));
    FreeCameraBuffer(data);

    Sim("fault badsum 2 2");
    data = nullptr;
    ASSERT_EQ(0u, CameraReadThumbnailByNumber(camera, 0, &data, nullptr, 0));
    FreeCameraBuffer(data);

    Sim("fault badsum 2 2");
    data = nullptr;
    DWORD count = 0;
    ASSERT_EQ(0u, CameraListDirectory(camera, "\\PCCARD\\DCIMAGES", &data, &count));
    EXPECT_LT(13u, count);
    FreeCameraBuffer(data);
    EXPECT_EQ(4, Count(Transcript(), "#reset"));
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
