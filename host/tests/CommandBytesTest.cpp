// Every command's block and path packet, byte for byte as the simulator received them.
#include "CameraFixture.h"

#include <string>

namespace {

std::string Block(const char* code, const char* args) { return std::string(code) + "00" + args + "001A"; }

}  // namespace

class CommandBytesTest : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        ASSERT_NE(nullptr, Open());
    }
};

TEST_F(CommandBytesTest, SimpleCommandsSendTheirArguments) {
    struct Case {
        DWORD (*run)(CSerialCamera*);
        std::string block;
    };
    const Case cases[] = {
        {[](CSerialCamera* c) { return CameraSetQuality(c, 2); }, Block("71", "02000000")},
        {[](CSerialCamera* c) { return CameraSetResolution(c, 1); }, Block("36", "01000000")},
        {[](CSerialCamera* c) { return CameraSetZoom(c, 5); }, Block("78", "05000000")},
        {[](CSerialCamera* c) { return CameraSetExposureCompensation(c, 0x83); }, Block("80", "83000000")},
        {[](CSerialCamera* c) { return CameraSetFileFormat(c, 4); }, Block("37", "04000000")},
        {[](CSerialCamera* c) { return CameraSetFlashMode(c, 3); }, Block("72", "03000000")},
        {[](CSerialCamera* c) { return CameraSetSelfTimer(c, 1); }, Block("74", "01000000")},
        {[](CSerialCamera* c) { return CameraSetClock(c, 2); }, Block("75", "00000002")},
        {[](CSerialCamera* c) { return CameraBeginFileAccess(c); }, Block("96", "00000000")},
        {[](CSerialCamera* c) { return CameraEndFileAccess(c); }, Block("97", "00000000")},
        {[](CSerialCamera* c) { return CameraTakePicture(c); }, Block("7C", "00000000")},
        {[](CSerialCamera* c) { return CameraErasePicture(c, 0xFFFF); }, Block("7B", "FFFF0000")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0u, c.run(camera)) << c.block;
        EXPECT_EQ(c.block, HostBytes());
    }
}

TEST_F(CommandBytesTest, PathPacketCarriesPathFieldsAndChecksumWithoutItsFirstByte) {
    BYTE* entries = nullptr;
    DWORD count = 0;
    ASSERT_EQ(0u, CameraListDirectory(camera, "\\PCCARD\\DCIMAGES\\ALBUM001", &entries, &count));
    FreeCameraBuffer(entries);
    std::string host = HostBytes();
    ASSERT_GE(host.size(), 16u + 120u);
    EXPECT_EQ(Block("99", "00000000"), host.substr(0, 16));
    std::string packet = host.substr(16, 120);
    const std::string path = "\\PCCARD\\DCIMAGES\\ALBUM001";
    EXPECT_EQ("80" + Hex(reinterpret_cast<const BYTE*>(path.data()), path.size()), packet.substr(0, 2 + 2 * path.size()));
    EXPECT_EQ(std::string(2 * (48 - path.size()), '0'), packet.substr(2 + 2 * path.size(), 2 * (48 - path.size())));
    EXPECT_EQ(std::string(20, '0'), packet.substr(98, 20));   // both fields 0, bytes 57 and 58 zero
    BYTE sum = 0;
    for (char ch : path) sum ^= static_cast<BYTE>(ch);
    EXPECT_EQ(Hex(&sum, 1), packet.substr(118, 2));
}

TEST_F(CommandBytesTest, PathOfFortyEightCharactersFillsThePacketAndLongerIsRefused) {
    std::string path = "\\PCCARD\\DCIMAGES\\";
    path += std::string(48 - path.size(), 'A');
    ASSERT_EQ(48u, path.size());
    BYTE* thumb = nullptr;
    CameraReadThumbnail(camera, path.c_str(), &thumb, nullptr, 0);
    FreeCameraBuffer(thumb);
    std::string packet = HostBytes().substr(16, 120);
    EXPECT_EQ("80" + Hex(reinterpret_cast<const BYTE*>(path.data()), 48) + "FFFFFFFFFFFFFFFF0000",
              packet.substr(0, 118));
    thumb = nullptr;
    EXPECT_EQ(16u, CameraReadThumbnail(camera, (path + "B").c_str(), &thumb, nullptr, 0));
    EXPECT_EQ(nullptr, thumb);
    EXPECT_EQ(std::string::npos, HostBytes().find(Block("93", "00000000")));
}

TEST_F(CommandBytesTest, EraseAndFormatSendTheirFields) {
    PutCardFile("PCCARD/DCIMAGES/GONE.TXT", 10);
    EXPECT_EQ(0u, CameraEraseFile(camera, "\\PCCARD\\DCIMAGES\\GONE.TXT"));
    std::string host = HostBytes();
    EXPECT_EQ(Block("9D", "00000000"), host.substr(0, 16));
    EXPECT_EQ("00000000FFFFFFFF0000", host.substr(16 + 98, 20));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(CardPath("PCCARD/DCIMAGES/GONE.TXT").c_str()));

    EXPECT_EQ(0u, CameraFormatCard(camera));
    host = HostBytes();
    EXPECT_EQ(Block("95", "00000000"), host.substr(0, 16));
    EXPECT_EQ("80" + std::string(116, '0') + "00", host.substr(16, 120));
    EXPECT_EQ("D2", host.substr(136));   // the 16-byte answer packet was acknowledged
}

TEST_F(CommandBytesTest, PictureInformationByNumberAndByPath) {
    CPictureInfo* info = nullptr;
    ASSERT_EQ(0u, CameraReadPictureInfoByNumber(camera, 0, &info));
    EXPECT_EQ(Block("65", "00000000"), HostBytes().substr(0, 16));
    std::string name(reinterpret_cast<char*>(info->record + 32));
    FreePictureInfo(info);
    EXPECT_EQ("PV000001.JPG", name);

    info = nullptr;
    ASSERT_EQ(0u, CameraReadPictureInfo(camera, "\\PCCARD\\DCIMAGES\\ALBUM001\\PV000001.JPG", &info));
    EXPECT_EQ(Block("91", "00000000"), HostBytes().substr(0, 16));
    EXPECT_EQ(name, reinterpret_cast<char*>(info->record + 32));
    // An output that already holds an object is refused before anything is sent.
    EXPECT_EQ(16u, CameraReadPictureInfoByNumber(camera, 0, &info));
    EXPECT_EQ(16u, CameraReadPictureInfo(camera, "\\X", nullptr));
    FreePictureInfo(info);
    std::string host = HostBytes();
    EXPECT_EQ(std::string::npos, host.find(Block("65", "00000000")));
    EXPECT_EQ(std::string::npos, host.find(Block("91", "00000000")));
}
