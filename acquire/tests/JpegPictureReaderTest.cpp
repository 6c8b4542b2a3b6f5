// The JPEG reader of the hand-over against djpeg's own BMP decode of pictures made by the system's
// tools, pixel for pixel with the rows' padding; damaged and foreign data; progress and cancel;
// pictures turned by quarter turns.
#include "DecodeCodes.h"
#include "ErrorDisplay.h"
#include "GlobalMemory.h"
#include "JpegPictureReader.h"
#include "RetrievalTestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

using acquire::PictureBitmap;
using retrievaltest::Bitmap;

namespace {

// Records every report; says stop at line stopAt (0: never).
class LineRecorder : public acquire::DecodeProgress {
public:
    explicit LineRecorder(long stopAt = 0) : stopAt_(stopAt) {}
    bool Continue(long total, long done) noexcept override {
        calls.emplace_back(total, done);
        return done != stopAt_;
    }
    std::vector<std::pair<long, long>> calls;

private:
    long stopAt_;
};

using retrievaltest::Decoded;

Decoded Decode(const std::vector<uint8_t>& data, uint32_t width, uint32_t height, uint16_t rotation = 0,
               acquire::DecodeProgress* progress = nullptr) {
    return retrievaltest::DecodeWith(acquire::ReadJpegPicture, data, width, height, rotation, progress);
}

class JpegReference : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(JpegReference, DecodeEqualsDjpegBmpPixelForPixel) {
    const std::string base = retrievaltest::JpegFolder() + GetParam();
    ASSERT_NE("", retrievaltest::JpegFolder()) << "PV_TEST_JPEGS is not set";
    Bitmap reference;
    ASSERT_TRUE(retrievaltest::ReadBmp(base + ".bmp", &reference)) << base;
    const uint32_t width = uint32_t(reference.header.biWidth), height = uint32_t(reference.header.biHeight);
    const uint32_t stride = PictureBitmap::StrideOf(width);
    ASSERT_EQ(size_t(stride) * height, reference.bits.size());
    Decoded d = Decode(retrievaltest::ReadBytes(base + ".jpg"), width, height);
    ASSERT_EQ(0, d.result);
    EXPECT_EQ(LONG(width), d.bitmap.header.biWidth);
    EXPECT_EQ(LONG(height), d.bitmap.header.biHeight);
    EXPECT_EQ(stride * height, d.bitmap.header.biSizeImage);
    ASSERT_EQ(reference.bits.size(), d.bitmap.bits.size());
    size_t differing = 0;
    for (size_t i = 0; i < reference.bits.size(); ++i) differing += reference.bits[i] != d.bitmap.bits[i];
    EXPECT_EQ(0u, differing) << GetParam() << ": " << width << " x " << height << ", stride " << stride;
}

INSTANTIATE_TEST_SUITE_P(Generated, JpegReference,
                         ::testing::Values("odd420", "odd444", "odd422", "progressive", "tiny"));

TEST(JpegReader, DamagedForeignAndMisfittingDataAreRefused) {
    const std::string base = retrievaltest::JpegFolder() + "odd420";
    const std::vector<uint8_t> jpeg = retrievaltest::ReadBytes(base + ".jpg");
    ASSERT_GT(jpeg.size(), 1000u);
    // Cut short inside the scan: libjpeg would fill the rest in grey and call it a warning.
    for (size_t keep : {jpeg.size() / 2, jpeg.size() - 2}) {
        std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + long(keep));
        EXPECT_EQ(acquire::kErrJpegData, Decode(cut, 333, 211).result) << keep;
    }
    // Entropy data overwritten in the middle.
    std::vector<uint8_t> scribbled = jpeg;
    for (size_t i = jpeg.size() / 2; i < jpeg.size() / 2 + 64; ++i) scribbled[i] = 0xFF;
    EXPECT_EQ(acquire::kErrJpegData, Decode(scribbled, 333, 211).result);
    // Not JPEG data at all: a BMP file, one byte, nothing.
    const std::vector<uint8_t> bmp = retrievaltest::ReadBytes(base + ".bmp");
    EXPECT_EQ(acquire::kErrJpegData, Decode(bmp, 333, 211).result);
    EXPECT_EQ(acquire::kErrJpegData, Decode({0xFF}, 333, 211).result);
    EXPECT_EQ(acquire::kErrJpegData, Decode({}, 333, 211).result);
    // The start marker, then no header that can be read.
    std::vector<uint8_t> noHeader = {0xFF, 0xD8, 0xFF, 0xD9};
    EXPECT_EQ(acquire::kErrUnexpected, Decode(noHeader, 333, 211).result);
    std::vector<uint8_t> headerOnly(jpeg.begin(), jpeg.begin() + 40);
    EXPECT_EQ(acquire::kErrUnexpected, Decode(headerOnly, 333, 211).result);
    // A picture of another size than the bitmap's is never written into it.
    EXPECT_EQ(acquire::kErrUnexpected, Decode(jpeg, 332, 211).result);
    EXPECT_EQ(acquire::kErrUnexpected, Decode(jpeg, 333, 212).result);
}

TEST(JpegReader, ProgressAfterEachLineAndCancel) {
    const std::vector<uint8_t> jpeg = retrievaltest::ReadBytes(retrievaltest::JpegFolder() + "odd420.jpg");
    LineRecorder all;
    ASSERT_EQ(0, Decode(jpeg, 333, 211, 0, &all).result);
    ASSERT_EQ(211u, all.calls.size());
    for (size_t i = 0; i < all.calls.size(); ++i) EXPECT_EQ(std::make_pair(211L, long(i + 1)), all.calls[i]);

    LineRecorder stop(10);
    EXPECT_EQ(acquire::kErrCancelled, Decode(jpeg, 333, 211, 0, &stop).result);
    EXPECT_EQ(10u, stop.calls.size());
}

TEST(JpegReader, QuarterTurnsTurnThePictureClockwise) {
    const std::vector<uint8_t> jpeg = retrievaltest::ReadBytes(retrievaltest::JpegFolder() + "odd444.jpg");
    const int w = 97, h = 61;
    Decoded straight = Decode(jpeg, w, h);
    ASSERT_EQ(0, straight.result);
    for (uint16_t rotation : {1, 2, 3}) {
        SCOPED_TRACE(rotation);
        Decoded turned = Decode(jpeg, w, h, rotation);
        ASSERT_EQ(0, turned.result);
        const bool swapped = rotation % 2;
        ASSERT_EQ(swapped ? h : w, turned.bitmap.header.biWidth);
        ASSERT_EQ(swapped ? w : h, turned.bitmap.header.biHeight);
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int tx = rotation == 1 ? h - 1 - y : rotation == 2 ? w - 1 - x : y;
                const int ty = rotation == 1 ? x : rotation == 2 ? h - 1 - y : w - 1 - x;
                differing += std::memcmp(straight.bitmap.Pixel(x, y), turned.bitmap.Pixel(tx, ty), 3) != 0;
            }
        EXPECT_EQ(0, differing);
    }
}
