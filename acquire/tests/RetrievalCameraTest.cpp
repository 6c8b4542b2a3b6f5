// Retrieval of camera pictures from the simulated camera: the entries the camera chooser writes
// become pictures with the camera's thumbnails, which show what the stored files' own embedded
// thumbnails show.
#include "FlashPixInformation.h"
#include "JpegInformation.h"
#include "RetrievalLoop.h"
#include "SimulatedCamera.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

using namespace acquire;
using namespace retrievaltest;

namespace {

constexpr uint16_t kVersion = 0x0204;

class RetrievalCameraTest : public SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        connection = {1, 5, kPvCameraTypePV360, 0, 0};
        ASSERT_EQ(kPvOk, PV360_OpenCamera(&kVersion, &connection));
    }
    void TearDown() override {
        PV360_CloseCamera(&connection);
        SimulatedCameraTest::TearDown();
    }
    // The camera's thumbnail of picture n, asked for directly.
    Bytes CameraThumbnail(int n) {
        Bytes pixels(kPvThumbnailBytes);
        PvPictureInfo info{};
        const int32_t request[3] = {0, 1, 0};
        EXPECT_EQ(kPvOk, PV360_GetCameraPictInfo(&connection, n, kPvKindThumbnail, request, &info, pixels.data()));
        return pixels;
    }
    // The numbers of the card's first two JPEG pictures.
    std::vector<int> TwoJpegPictures() {
        std::vector<int> numbers;
        std::vector<std::string> names = CardPictures();
        for (size_t i = 0; i < names.size() && numbers.size() < 2; ++i)
            if (names[i].find(".JPG") != std::string::npos && names[i] != "BROKEN.JPG") numbers.push_back(int(i + 1));
        return numbers;
    }

    PvConnection connection{};
};

}  // namespace

TEST_F(RetrievalCameraTest, ChosenPicturesComeWithTheCamerasThumbnails) {
    std::vector<int> numbers = TwoJpegPictures();
    ASSERT_EQ(2u, numbers.size());
    std::vector<std::string> names = CardPictures();
    std::vector<std::string> sources;
    for (int n : numbers) sources.push_back(CameraSourceText(1, n, names[size_t(n - 1)]));
    std::vector<PictureEntry> pictures;
    ASSERT_EQ(0, RetrieveAll({&sources, &pictures, &connection, nullptr}));
    ASSERT_EQ(2u, pictures.size());

    std::vector<Bytes> embedded;
    for (size_t i = 0; i < 2; ++i) {
        const PictureEntry& picture = pictures[i];
        int n = numbers[i];
        EXPECT_EQ(PictureEntry::Source::kCamera, picture.source);
        EXPECT_EQ(n, picture.cameraNumber);
        EXPECT_EQ(names[size_t(n - 1)], picture.name);
        EXPECT_STREQ(names[size_t(n - 1)].c_str(), picture.information.name);
        std::string file = CardFile(PicturePath(n));
        EXPECT_EQ(file.size(), picture.information.byteCount);
        EXPECT_EQ(3, picture.information.fileFormat);
        EXPECT_EQ(CameraThumbnail(n), picture.thumbnail);

        PictureReading reading;
        ASSERT_EQ(0, ReadJpegInformation(reinterpret_cast<const BYTE*>(file.data()), file.size(), &reading));
        ASSERT_TRUE(reading.maker);
        EXPECT_EQ(reading.width, picture.width);
        EXPECT_EQ(reading.height, picture.height);
        embedded.push_back(reading.thumbnail);
    }
    // The camera's thumbnail is a coarse mosaic of the picture; the file's embedded thumbnail
    // is the same picture, and another picture's is not.
    for (size_t i = 0; i < 2; ++i) {
        double same = MeanDifference(pictures[i].thumbnail, embedded[i]);
        EXPECT_LT(same, 16.0) << i;
        EXPECT_LT(same * 2, MeanDifference(pictures[i].thumbnail, embedded[1 - i])) << i;
    }
}

TEST_F(RetrievalCameraTest, APictureTheCameraDoesNotHaveEndsTheRun) {
    std::vector<std::string> sources = {CameraSourceText(1, int(CardPictures().size()) + 1, "PV999999.JPG")};
    std::vector<PictureEntry> pictures;
    EXPECT_EQ(kPvNoSuchPicture, RetrieveAll({&sources, &pictures, &connection, nullptr}));
    EXPECT_TRUE(pictures.empty());
}

TEST_F(RetrievalCameraTest, AFlashPixFileOfTheCardShowsWhatTheCamerasThumbnailShows) {
    std::vector<std::string> names = CardPictures();
    int n = 0;
    for (size_t i = 0; i < names.size() && !n; ++i)
        if (names[i].find(".FPX") != std::string::npos) n = int(i + 1);
    ASSERT_NE(0, n);
    std::string file = CardFile(PicturePath(n));
    PictureReading reading;
    ASSERT_EQ(0, ReadFlashPixInformation(reinterpret_cast<const BYTE*>(file.data()), file.size(), &reading));
    PvPictureInfo info{};
    const int32_t request[3] = {0, 0, 1};
    ASSERT_EQ(kPvOk, PV360_GetCameraPictInfo(&connection, n, kPvKindFullPicture, request, &info, nullptr));
    EXPECT_EQ(info.width, reading.width);
    EXPECT_EQ(info.height, reading.height);
    EXPECT_LT(MeanDifference(CameraThumbnail(n), reading.thumbnail), 16.0);
}
