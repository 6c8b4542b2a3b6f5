// The seven calls of the camera library against the simulated camera.
#include "SimulatedCamera.h"
#include "pvcamsdk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kVersion = kPvCameraInterfaceVersion;

class CameraCallsTest : public SimulatedCameraTest {
protected:
    void TearDown() override {
        if (connection.session) PV360_CloseCamera(&connection);
        SimulatedCameraTest::TearDown();
    }
    void Connect(int32_t port = 1, int32_t speed = 5) {
        connection = {port, speed, kPvCameraTypePV360, 0, 0};
        ASSERT_EQ(kPvOk, PV360_OpenCamera(&kVersion, &connection));
    }
    PvPictureInfo Info(int number, int16_t expected = kPvOk) {
        PvPictureInfo info{};
        const int32_t request[3] = {0, 0, 1};
        EXPECT_EQ(expected, PV360_GetCameraPictInfo(&connection, number, kPvKindFullPicture, request, &info, nullptr));
        return info;
    }

    PvConnection connection{};
};

struct ProgressSeen {
    std::vector<std::pair<int, int>> calls;
    int cancelAtPercent = 1000;
};
ProgressSeen* g_progress = nullptr;

int WINAPI RecordProgress(int phase, int percent, int) {
    g_progress->calls.emplace_back(phase, percent);
    return phase == 1 && percent >= g_progress->cancelAtPercent;
}

}  // namespace

TEST_F(CameraCallsTest, ConnectsReadsStatusAndCloses) {
    Connect();
    EXPECT_NE(0u, connection.session);
    EXPECT_EQ(1, connection.portInUse);
    PvCameraBlock block{};
    PvStatusRecord status{};
    ASSERT_EQ(kPvOk, PV360_GetStatus(&connection, &block, &status));
    int pictures = int(CardPictures().size());
    EXPECT_EQ(pictures, block.pictureCount);
    EXPECT_EQ(pictures, block.newestPicture);
    EXPECT_EQ(kPvCameraTypePV360, block.cameraType);
    EXPECT_EQ(0, status.battery);
    EXPECT_EQ(1, status.cardPresent);
    EXPECT_EQ(1, status.cardFormatted);
    EXPECT_EQ(115200, status.speedInUse);
    EXPECT_EQ(pictures, status.pictureCount);

    Sim("battery low");
    Sim("mains on");
    ASSERT_EQ(kPvOk, PV360_GetStatus(&connection, &block, nullptr));
    ASSERT_EQ(kPvOk, PV360_GetStatus(&connection, &block, &status));
    EXPECT_EQ(1, status.battery);
    EXPECT_EQ(1, status.acAdapter);
    Sim("battery exhausted");
    Sim("card unformatted");
    ASSERT_EQ(kPvOk, PV360_GetStatus(&connection, &block, &status));
    EXPECT_EQ(2, status.battery);
    EXPECT_EQ(0, status.cardFormatted);
    Sim("card out");
    ASSERT_EQ(kPvOk, PV360_GetStatus(&connection, &block, &status));
    EXPECT_EQ(0, status.cardPresent);

    PvConnection copy = connection;
    EXPECT_EQ(kPvOk, PV360_CloseCamera(&connection));
    EXPECT_EQ(0u, connection.session);
    EXPECT_EQ(kPvBadArgument, PV360_CloseCamera(&connection));
    EXPECT_EQ(kPvBadArgument, PV360_GetStatus(&copy, &block, &status));
}

TEST_F(CameraCallsTest, SearchesPortsAndSpeeds) {
    Connect(0, 0);
    EXPECT_EQ(1, connection.portInUse);
    PvCameraBlock block{};
    PvStatusRecord status{};
    ASSERT_EQ(kPvOk, PV360_GetStatus(&connection, &block, &status));
    EXPECT_EQ(115200, status.speedInUse);
    EXPECT_EQ("115200 115200", Sim("speed"));
    ASSERT_EQ(kPvOk, PV360_CloseCamera(&connection));

    // Nothing answers on COM2 (no port there), and pvhost serves no COM9.
    for (int32_t port : {2, 9}) {
        PvConnection elsewhere{port, 5, kPvCameraTypePV360, 0, 0};
        EXPECT_EQ(kPvNotFound, PV360_OpenCamera(&kVersion, &elsewhere)) << port;
        EXPECT_EQ(0u, elsewhere.session);
    }
}

TEST_F(CameraCallsTest, RefusesBadArguments) {
    const uint16_t oldVersion = 0x0203;
    PvConnection record{1, 5, kPvCameraTypePV360, 0, 0};
    EXPECT_EQ(kPvBadArgument, PV360_OpenCamera(&oldVersion, &record));
    EXPECT_EQ(kPvBadArgument, PV360_OpenCamera(nullptr, &record));
    EXPECT_EQ(kPvBadArgument, PV360_OpenCamera(&kVersion, nullptr));
    for (auto [port, speed] : {std::pair{-1, 5}, {10, 5}, {1, 6}, {1, -1}}) {
        PvConnection bad{port, speed, kPvCameraTypePV360, 0, 0};
        EXPECT_EQ(kPvBadArgument, PV360_OpenCamera(&kVersion, &bad)) << port << " " << speed;
    }
    // A record that no open call filled is never followed.
    PvConnection stranger{1, 5, kPvCameraTypePV360, 0x5A5A5A5A, 1};
    PvCameraBlock block{};
    EXPECT_EQ(kPvBadArgument, PV360_GetStatus(&stranger, &block, nullptr));
    EXPECT_EQ(kPvBadArgument, PV360_GetStatus(nullptr, &block, nullptr));
    Connect();
    EXPECT_EQ(kPvBadArgument, PV360_GetStatus(&connection, nullptr, nullptr));
    const int32_t request[3] = {};
    EXPECT_EQ(kPvBadArgument, PV360_GetCameraPictInfo(&connection, 1, kPvKindFullPicture, request, nullptr, nullptr));
    PvPictureInfo info{};
    EXPECT_EQ(kPvBadArgument, PV360_GetCameraPictInfo(&connection, 1, kPvKindThumbnail, request, &info, nullptr));
    EXPECT_EQ(kPvBadArgument, PV360_GetCameraPictInfo(&connection, 1, 2, request, &info, nullptr));
    PvConfig config{};
    PvConfigClock clock{};
    EXPECT_EQ(kPvBadArgument, PV360_GetConfig(&connection, &config, &clock));
    BYTE* buffer = nullptr;
    info = Info(1);
    EXPECT_EQ(kPvBadArgument, PV360_GetNativePicture(&connection, &info, &buffer, nullptr));
}

TEST_F(CameraCallsTest, NamesAndInformationFollowTheCard) {
    Connect();
    std::vector<std::string> expected = CardPictures();
    ASSERT_GE(expected.size(), 4u);
    std::vector<char> names(expected.size() * kPvPictureNameSlot, 'x');
    ASSERT_EQ(kPvOk, PV360_GetAllPictureName(&connection, names.data()));
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(expected[i], std::string(&names[i * kPvPictureNameSlot])) << i;

    for (int n = 1; n <= int(expected.size()); ++n) {
        PvPictureInfo info = Info(n);
        EXPECT_EQ(expected[size_t(n - 1)], info.name);
        EXPECT_EQ(n, info.number);
        EXPECT_EQ(1, info.memory);
        std::string file = CardFile(PicturePath(n));
        EXPECT_EQ(file.size(), info.byteCount) << n;
        bool flashPix = expected[size_t(n - 1)].find(".FPX") != std::string::npos;
        EXPECT_EQ(flashPix ? 4 : 3, info.fileFormat) << n;
        EXPECT_EQ(info.resolution ? 1152 : 640, info.width);
        EXPECT_EQ(info.resolution ? 864 : 480, info.height);
        bool cameraJpeg = !flashPix && expected[size_t(n - 1)] != "BROKEN.JPG";
        if (cameraJpeg) {
            EXPECT_GE(info.quality, 1) << n;
            EXPECT_LE(info.quality, 3) << n;
            EXPECT_EQ(80, info.apertureTenths) << n;
            EXPECT_GT(info.exposureMicroseconds, 0u) << n;
            EXPECT_EQ(kPvCameraTypePV360, info.cameraType) << n;
            EXPECT_LE(info.zoom, 5) << n;
            EXPECT_GE(info.zoom, 0) << n;
        } else if (flashPix) {
            EXPECT_EQ(-2, info.zoom) << n;
        }
    }
    Info(0, kPvNoSuchPicture);
    Info(int(expected.size()) + 1, kPvNoSuchPicture);
}

TEST_F(CameraCallsTest, ThumbnailAndConfiguration) {
    Connect();
    std::vector<BYTE> thumbnail(kPvThumbnailBytes, 0xEE);
    PvPictureInfo info{};
    const int32_t request[3] = {0, 1, 0};
    ASSERT_EQ(kPvOk, PV360_GetCameraPictInfo(&connection, 1, kPvKindThumbnail, request, &info, thumbnail.data()));
    EXPECT_EQ(CardPictures()[0], info.name);
    EXPECT_EQ(0, std::count(thumbnail.begin(), thumbnail.end(), 0xEE));
    EXPECT_NE(thumbnail.front(), thumbnail[thumbnail.size() / 2 + 1]);

    char model[33];
    std::memset(model, 'x', sizeof model);
    char text[32] = {};
    PvConfig config{};
    config.model = model;
    PvConfigClock clock{};
    clock.text = text;
    ASSERT_EQ(kPvOk, PV360_GetConfig(&connection, &config, &clock));
    EXPECT_EQ(kPvCameraTypePV360, config.cameraType);
    EXPECT_EQ('\0', model[32]);
    EXPECT_NE(std::string::npos, std::string(model).find("PV360")) << model;
    EXPECT_EQ(19u, std::strlen(text)) << text;
    EXPECT_EQ('-', text[4]);
    EXPECT_EQ(':', text[13]);
}

TEST_F(CameraCallsTest, NativePictureIsTheStoredFileWithProgress) {
    Connect();
    PvPictureInfo info = Info(1);
    std::string expected = CardFile(PicturePath(1));
    std::vector<BYTE> data(info.byteCount);
    BYTE* buffer = data.data();
    ProgressSeen seen;
    g_progress = &seen;
    PvProgressCallback callback = RecordProgress;
    ASSERT_EQ(kPvOk, PV360_GetNativePicture(&connection, &info, &buffer, &callback));
    EXPECT_EQ(expected, std::string(data.begin(), data.end()));
    ASSERT_GE(seen.calls.size(), 3u);
    EXPECT_EQ(std::make_pair(2, 100), seen.calls.back());
    for (size_t i = 1; i + 1 < seen.calls.size(); ++i) {
        EXPECT_EQ(1, seen.calls[i].first);
        EXPECT_GT(seen.calls[i].second, seen.calls[i - 1].second);
    }

    // Without a callback the picture comes all the same.
    std::fill(data.begin(), data.end(), 0);
    ASSERT_EQ(kPvOk, PV360_GetNativePicture(&connection, &info, &buffer, nullptr));
    EXPECT_EQ(expected, std::string(data.begin(), data.end()));

    ProgressSeen cancel;
    cancel.cancelAtPercent = 30;
    g_progress = &cancel;
    EXPECT_EQ(kPvCancelled, PV360_GetNativePicture(&connection, &info, &buffer, &callback));
    EXPECT_EQ(3, cancel.calls.back().first);
    g_progress = nullptr;
}

TEST_F(CameraCallsTest, MissingCardIsToldAsSuch) {
    Connect();
    PvPictureInfo info = Info(1);
    std::vector<BYTE> data(info.byteCount);
    BYTE* buffer = data.data();
    Sim("card out");
    EXPECT_EQ(kPvNoCard, PV360_GetNativePicture(&connection, &info, &buffer, nullptr));
}
