// Connecting: the open sequence on the wire, the status record, and a first command.
#include "CameraFixture.h"

TEST_F(CameraTest, OpenResetsMovesToTheSpeedAndReadsTheStatus) {
    camera = OpenCamera(kPort, 115200, 1, nullptr, 0);
    ASSERT_NE(nullptr, camera);
    std::string host = HostBytes();
    // The speed change, then the status command, each an 8-byte block ending in 1A.
    EXPECT_EQ("410011520000001A" "7F0000000000001A" "D2", host);
    EXPECT_EQ("OK 115200 115200", "OK " + Sim("speed"));
    EXPECT_EQ(1u, CameraIsConnected(camera));
    EXPECT_EQ(2u, camera->GetModelByte());
    EXPECT_EQ(0x80u, camera->GetCardBit());
    EXPECT_EQ(1u, camera->QueryCardPresent(0));
}

TEST_F(CameraTest, SpeedOutsideTheTableSendsCodeZero) {
    Open(115200);
    ASSERT_NE(nullptr, camera);
    CameraDisconnect(camera);
    DestroyCamera(camera);
    camera = nullptr;
    Sim("reset");
    // 14400 is no camera speed: the camera rejects code 0, which the open accepts.
    camera = OpenCamera(kPort, 14400, 0, nullptr, 0);
    ASSERT_NE(nullptr, camera);
    EXPECT_EQ("410000000000001A", HostBytes());
    EXPECT_EQ("E1", CameraBytes());
}

TEST_F(CameraTest, StatusAccessorsReadTheCachedRecord) {
    Open();
    ASSERT_NE(nullptr, camera);
    Sim("battery low");
    Sim("mains on");
    ASSERT_EQ(0u, CameraReadStatus(camera));
    EXPECT_EQ(1u, CameraGetStatusByte(camera, 8));
    EXPECT_NE(0u, CameraGetStatusByte(camera, 9));
    std::string status = Sim("status");
    EXPECT_EQ(std::stoul(status.substr(56 * 2, 4), nullptr, 16), CameraGetStatusWord(camera, 56));
    EXPECT_EQ(std::stoul(status.substr(68 * 2, 8), nullptr, 16), CameraGetStatusLong(camera, 68));
    BYTE block[32];
    CameraReadStatusBlock(camera, block);
    EXPECT_EQ(status.substr(90 * 2, 64), Hex(block, 32));
    // Outside the record there is nothing to read.
    EXPECT_EQ(0u, CameraGetStatusByte(camera, 126));
    EXPECT_EQ(0u, CameraGetStatusWord(camera, 0xFFFFFFFF));
    EXPECT_EQ(0u, CameraGetStatusLong(camera, 0xFFFFFFFF)) << "the offset must not wrap to the record's start";
    EXPECT_EQ(0u, CameraGetStatusLong(camera, 0xFFFFFFFE));
    // Card out: the cached bit changes only when the status is read again.
    Sim("card out");
    EXPECT_EQ(1u, CameraQueryCardPresent(camera, 0));
    EXPECT_EQ(0u, CameraQueryCardPresent(camera, 1));
}

TEST_F(CameraTest, DisconnectedObjectAnswersNotConnected) {
    Open();
    ASSERT_NE(nullptr, camera);
    EXPECT_EQ(18u, CameraConnect(camera));
    EXPECT_EQ(0u, CameraDisconnect(camera));
    EXPECT_EQ(17u, CameraDisconnect(camera));
    EXPECT_EQ(0u, CameraIsConnected(camera));
    EXPECT_EQ(3u, camera->GetModelByte());
    EXPECT_EQ(0u, camera->QueryCardPresent(0));   // the cached bit is set, but no connection
    EXPECT_EQ(17u, camera->ReadStatus());
    EXPECT_EQ(17u, camera->SetLinkSpeed());
    EXPECT_EQ(17u, camera->TakePicture());
    BYTE* data = nullptr;
    DWORD count = 0;
    EXPECT_EQ(17u, camera->ListDirectory("\\PCCARD\\DCIMAGES", &data, &count));
    EXPECT_EQ("", HostBytes());
    EXPECT_EQ(0u, CameraConnect(camera));
    EXPECT_EQ(0u, camera->ReadStatus());
}
