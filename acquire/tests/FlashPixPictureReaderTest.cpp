// The FlashPix reader of the hand-over against the image toolkit's own decode and the pictures
// written: JPEG-tiled PhotoYCC and uncompressed RGB of odd sizes, views, third-party files; the
// layouts it refuses, foreign data, progress and cancel, and the full-size level.
#include "DecodeCodes.h"
#include "ErrorDisplay.h"
#include "FlashPixPictureReader.h"
#include "FpxTestWriter.h"
#include "GlobalMemory.h"
#include "NIFToolkit.h"
#include "RetrievalTestFiles.h"

#include <gtest/gtest.h>

using acquire::PictureBitmap;
using retrievaltest::Bitmap;

namespace {

using retrievaltest::Decoded;

Decoded Decode(const std::vector<uint8_t>& data, uint32_t width, uint32_t height, uint16_t rotation = 0,
               acquire::DecodeProgress* progress = nullptr) {
    return retrievaltest::DecodeWith(acquire::ReadFlashPixPicture, data, width, height, rotation, progress);
}

// The toolkit's own decode of the full size, top-down red-green-blue.
Picture ToolkitDecode(const std::vector<uint8_t>& fpx) {
    Picture p;
    EXPECT_EQ(0, NIFStartToolkit());
    NIFHandle* h = nullptr;
    long w = 0, ht = 0, kind = 0;
    EXPECT_EQ(0, NIFOpenImageFromMemory(fpx.data(), fpx.size(), &h, &w, &ht, &kind));
    NIFImageInformation info{};
    EXPECT_EQ(0, NIFGetImageInformation(h, &info));
    p = {info.width, info.height, 3, std::vector<uint8_t>(size_t(info.width) * info.height * 3)};
    NIFDestination d{NIF_SPACE_RGB, 3, {}};
    for (int c = 0; c < 3; ++c) d.channel[c] = {p.pixels.data() + c, 3, long(p.width) * 3};
    EXPECT_EQ(0, NIFReadRegion(h, 0, 0, info.width, info.height, info.levels - 1, &d, nullptr));
    EXPECT_EQ(0, NIFCloseImage(h));
    EXPECT_EQ(0, NIFStopToolkit());
    return p;
}

// Pixels of the bitmap that differ from the top-down RGB picture.
int Differing(const Bitmap& bitmap, const Picture& picture) {
    int differing = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* bgr = bitmap.Pixel(x, y);
            const uint8_t* rgb = &picture.pixels[(size_t(y) * picture.width + x) * 3];
            differing += bgr[0] != rgb[2] || bgr[1] != rgb[1] || bgr[2] != rgb[0];
        }
    return differing;
}

class TileRows : public acquire::DecodeProgress {
public:
    explicit TileRows(long stopAt) : stopAt_(stopAt) {}
    bool Continue(long total, long done) noexcept override {
        ++calls;
        last = {total, done};
        return done < stopAt_;
    }
    int calls = 0;
    std::pair<long, long> last;

private:
    long stopAt_;
};

}  // namespace

TEST(FlashPixReader, EqualsTheToolkitsOwnDecodeAndTheWrittenPicture) {
    const Picture scene = MakeScene(301, 197);
    FpxWriteOptions ycc;   // JPEG tiles, PhotoYCC, chroma halved both ways
    std::vector<uint8_t> jpegTiled = WriteFpx(scene, ycc);
    Decoded d = Decode(jpegTiled, 301, 197);
    ASSERT_EQ(0, d.result);
    EXPECT_EQ(301, d.bitmap.header.biWidth);
    EXPECT_EQ(PictureBitmap::StrideOf(301) * 197, d.bitmap.header.biSizeImage);
    EXPECT_EQ(0, Differing(d.bitmap, ToolkitDecode(jpegTiled)));

    FpxWriteOptions raw;
    raw.jpeg = false;
    raw.photoYcc = false;
    for (bool view : {false, true}) {
        std::vector<uint8_t> bytes = view ? WriteFpxView(scene, raw, false, 1) : WriteFpx(scene, raw);
        Decoded exact = Decode(bytes, 301, 197);
        ASSERT_EQ(0, exact.result) << "view " << view;
        EXPECT_EQ(0, Differing(exact.bitmap, scene)) << "view " << view;
    }
}

TEST(FlashPixReader, QuarterTurnIsWrittenThroughTheToolkitsStrides) {
    const Picture scene = MakeScene(71, 45);
    FpxWriteOptions raw;
    raw.jpeg = false;
    raw.photoYcc = false;
    Decoded turned = Decode(WriteFpx(scene, raw), 71, 45, 1);
    ASSERT_EQ(0, turned.result);
    ASSERT_EQ(45, turned.bitmap.header.biWidth);
    ASSERT_EQ(71, turned.bitmap.header.biHeight);
    int differing = 0;
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 71; ++x) {
            const uint8_t* bgr = turned.bitmap.Pixel(45 - 1 - y, x);
            const uint8_t* rgb = &scene.pixels[(size_t(y) * 71 + x) * 3];
            differing += bgr[0] != rgb[2] || bgr[1] != rgb[1] || bgr[2] != rgb[0];
        }
    EXPECT_EQ(0, differing);
}

TEST(FlashPixReader, LayoutsOtherThanThreeColourChannelsAndForeignDataAreRefused) {
    const Picture scene = MakeScene(90, 70);
    FpxWriteOptions grey;
    grey.photoYcc = false;
    grey.monochrome = true;
    Picture red{90, 70, 1, {}};
    for (size_t i = 0; i < scene.pixels.size(); i += 3) red.pixels.push_back(scene.pixels[i]);
    EXPECT_EQ(acquire::kErrFlashPixLayout, Decode(WriteFpx(red, grey), 90, 70).result);
    Picture withOpacity{90, 70, 4, {}};
    for (size_t i = 0; i < scene.pixels.size(); i += 3)
        withOpacity.pixels.insert(withOpacity.pixels.end(), {scene.pixels[i], scene.pixels[i + 1], scene.pixels[i + 2], 255});
    FpxWriteOptions raw;
    raw.jpeg = false;
    raw.photoYcc = false;
    EXPECT_EQ(acquire::kErrFlashPixLayout, Decode(WriteFpx(withOpacity, raw), 90, 70).result);

    const std::vector<uint8_t> jpeg = retrievaltest::ReadBytes(retrievaltest::JpegFolder() + "odd444.jpg");
    ASSERT_FALSE(jpeg.empty());
    EXPECT_EQ(acquire::kErrFlashPixRefused, Decode(jpeg, 97, 61).result);
    std::vector<uint8_t> fpx = WriteFpx(scene, raw);
    EXPECT_EQ(acquire::kErrFlashPixRefused, Decode(std::vector<uint8_t>(fpx.begin(), fpx.begin() + 600), 90, 70).result);
    // A picture of another size than the bitmap's is never written into it.
    EXPECT_EQ(acquire::kErrUnexpected, Decode(fpx, 89, 70).result);
}

TEST(FlashPixReader, ProgressByTileRowsAndCancelLeaveTheToolkitUsable) {
    const Picture scene = MakeScene(300, 200);   // 4 rows of tiles
    std::vector<uint8_t> fpx = WriteFpx(scene, FpxWriteOptions{});
    TileRows stop(1);
    EXPECT_EQ(acquire::kErrCancelled, Decode(fpx, 300, 200, 0, &stop).result);
    EXPECT_EQ(1, stop.calls);
    TileRows all(1 << 30);
    EXPECT_EQ(0, Decode(fpx, 300, 200, 0, &all).result);
    EXPECT_GE(all.calls, 4);
    EXPECT_EQ(all.last.first, all.last.second);
    // The toolkit was stopped again after each decode.
    EXPECT_EQ(NIF_NOT_STARTED, NIFCloseImage(nullptr));
}

TEST(FlashPixReader, FullSizeLevelByHalvingToAtMost64) {
    EXPECT_EQ(5, acquire::FullSizeLevel(1152, 864));
    EXPECT_EQ(4, acquire::FullSizeLevel(640, 480));
    EXPECT_EQ(1, acquire::FullSizeLevel(70, 46));
    EXPECT_EQ(0, acquire::FullSizeLevel(64, 64));
    EXPECT_EQ(1, acquire::FullSizeLevel(65, 1));
}

// Files of other FlashPix writers, when the folder beside the project has them.
TEST(FlashPixReader, ThirdPartyFiles) {
    const std::string folder = DataFolder("PV_FLASHPIX_DIR");
    const std::vector<uint8_t> rose = ReadFileBytes(folder + "rose_256_raw.fpx");
    const std::vector<uint8_t> bw = ReadFileBytes(folder + "bw_one_band_raw.fpx");
    const std::vector<uint8_t> bad = ReadFileBytes(folder + "bad_five_bands.fpx");
    if (folder.empty() || rose.empty() || bw.empty() || bad.empty())
        GTEST_SKIP() << "not run: rose_256_raw.fpx, bw_one_band_raw.fpx, bad_five_bands.fpx are not in '" << folder << "'";
    Picture expected;
    ASSERT_TRUE(ReadPnm(folder + "rose_256_raw.level1.ppm", &expected));
    Decoded d = Decode(rose, 70, 46);
    ASSERT_EQ(0, d.result);
    EXPECT_EQ(0, Differing(d.bitmap, expected));
    EXPECT_EQ(0, Differing(d.bitmap, ToolkitDecode(rose)));
    EXPECT_EQ(acquire::kErrFlashPixLayout, Decode(bw, 70, 46).result);
    EXPECT_EQ(acquire::kErrFlashPixRefused, Decode(bad, 70, 46).result);
}
