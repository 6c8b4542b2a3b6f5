// PhotoYCC JPEG-tiled pictures at the camera's two sizes: the full size is level 4 for 640 x 480
// and 5 for 1152 x 864, every level decodes, and the full size matches the source pixels within
// the loss of JPEG. The camera simulator's own pictures decode too.
#include "FpxTestWriter.h"
#include "ToolkitFixture.h"

#include <cmath>
#include <cstdio>

namespace {

struct Error {
    double mean;
    int max;
};

Error Compare(const Picture& a, const Picture& b) {
    long long sum = 0;
    int worst = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        int d = std::abs(int(a.pixels[i]) - int(b.pixels[i]));
        sum += d;
        worst = std::max(worst, d);
    }
    return {double(sum) / a.pixels.size(), worst};
}

class CameraSizes : public ToolkitTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

}  // namespace

TEST_P(CameraSizes, FullSizeMatchesTheSourceWithinJpegLoss) {
    const auto [width, height] = GetParam();
    const Picture source = MakeScene(width, height);
    std::vector<uint8_t> bytes = WriteFpx(source, {});
    NIFHandle* h = Open(bytes);
    ASSERT_NE(nullptr, h);
    NIFImageInformation info{};
    ASSERT_EQ(0, NIFGetImageInformation(h, &info));
    EXPECT_EQ(width == 640 ? 5 : 6, info.levels);   // full size at level 4 or 5
    EXPECT_EQ(NIF_SPACE_PHOTOYCC, info.colorSpace);
    const std::vector<Picture> pyramid = PyramidOf(source);
    for (int level = 0; level < info.levels; ++level) {
        Picture got = DecodeLevel(h, level);
        ASSERT_EQ(pyramid[level].width, got.width);
        Error e = Compare(got, pyramid[level]);
        std::printf("%d x %d level %d: mean error %.2f, max %d\n", width, height, level, e.mean, e.max);
        // Small levels carry more detail per pixel and so lose more.
        EXPECT_LT(e.mean, level == info.levels - 1 ? 1.5 : 8.0) << "level " << level;
    }
    EXPECT_EQ(0, NIFCloseImage(h));
}

INSTANTIATE_TEST_SUITE_P(Camera, CameraSizes, ::testing::Values(std::pair{640, 480}, std::pair{1152, 864}));

TEST_F(ToolkitTest, UncompressedRgbRoundTripsExactly) {
    const Picture source = MakeScene(130, 70);
    std::vector<uint8_t> bytes = WriteFpx(source, {false, false, 0});
    NIFHandle* h = Open(bytes);
    ASSERT_NE(nullptr, h);
    Picture got = DecodeLevel(h, 2);
    EXPECT_EQ(0, Compare(got, source).max);
}

// The simulator's thumbnail is made from its source pixels, so a reduction of the decoded
// picture to 96 x 72 shows how near the decode comes to them.
TEST_F(ToolkitTest, SimulatorPicturesDecodeAtEveryLevel) {
    const std::string card = DataFolder("PV_SIM_CARD");
    std::vector<std::string> files = FpxFilesIn(card + "PCCARD/DCIMAGES/");
    for (const std::string& f : FpxFilesIn(card + "PCCARD/DCIMAGES/ALBUM002/")) files.push_back(f);
    if (files.empty()) GTEST_SKIP() << "no simulator card at " << card;
    for (const std::string& file : files) {
        std::vector<uint8_t> bytes = ReadFileBytes(file);
        long kind = 0;
        NIFHandle* h = Open(bytes, &kind);
        ASSERT_NE(nullptr, h) << file;
        EXPECT_EQ(NIF_KIND_IMAGE, kind);
        NIFImageInformation info{};
        ASSERT_EQ(0, NIFGetImageInformation(h, &info));
        EXPECT_EQ(info.width == 640 ? 5 : 6, info.levels) << file;
        Picture full;
        for (int level = 0; level < info.levels; ++level) full = DecodeLevel(h, level);
        NIFSummaryInformation s{};
        ASSERT_EQ(0, NIFGetSummaryInformation(h, &s)) << LastMessage();
        ASSERT_NE(nullptr, s.thumbnail);
        const uint8_t* bits = s.thumbnail + 40;
        long long sum = 0;
        for (int ty = 0; ty < 72; ++ty)
            for (int tx = 0; tx < 96; ++tx)
                for (int c = 0; c < 3; ++c) {
                    int x = tx * full.width / 96, y = ty * full.height / 72;
                    int decoded = full.pixels[(size_t(y) * full.width + x) * 3 + c];
                    sum += std::abs(decoded - bits[((71 - ty) * 96 + tx) * 3 + (2 - c)]);
                }
        const double mean = sum / (96.0 * 72 * 3);
        std::printf("%s: mean difference from the thumbnail %.2f\n", file.c_str(), mean);
        // Point samples against the generator's averages, through its own tone curve.
        EXPECT_LT(mean, 25.0) << file;
        NIFRelease(s.thumbnail);
        NIFCameraInformation camera{};
        EXPECT_EQ(0, NIFGetCameraInformation(h, &camera)) << LastMessage();
        EXPECT_STREQ("ORVIK", camera.make);
        EXPECT_EQ(0, NIFCloseImage(h));
    }
}
