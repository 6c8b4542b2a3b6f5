// Valid files of the shapes the camera does not write but other FlashPix writers do: colour with
// opacity, monochrome with opacity in JPEG tiles, views of both view classes and views whose
// transform's result is not stored. Each is made by the test writer and decoded.
#include "FpxTestWriter.h"
#include "ToolkitFixture.h"

#include <cstdlib>

namespace {

// The scene with an opacity channel of its own, the colour channels premultiplied by it; one
// colour channel (the scene's red) when monochrome.
Picture WithOpacity(const Picture& scene, bool monochrome) {
    const int colour = monochrome ? 1 : 3;
    Picture p{scene.width, scene.height, colour + 1, {}};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* in = &scene.pixels[(size_t(y) * p.width + x) * 3];
            const int opacity = (x * 255 / std::max(1, p.width - 1) + y) & 0xFF;
            for (int c = 0; c < colour; ++c) p.pixels.push_back(static_cast<uint8_t>(in[c] * opacity / 255));
            p.pixels.push_back(static_cast<uint8_t>(opacity));
        }
    return p;
}

struct Difference {
    int max = 256;   // for pictures of different sizes
    double mean = 256;
};

Difference Compare(const Picture& a, const Picture& b) {
    if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return {};
    Difference d{0, 0};
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        const int e = std::abs(int(a.pixels[i]) - int(b.pixels[i]));
        d.max = std::max(d.max, e);
        d.mean += e;
    }
    d.mean /= double(a.pixels.size());
    return d;
}

}  // namespace

TEST_F(ToolkitTest, ColourWithOpacityDecodesExactlyWithItsOpacity) {
    const Picture source = WithOpacity(MakeScene(150, 90), false);
    FpxWriteOptions rgb;
    rgb.jpeg = false;
    rgb.photoYcc = false;
    std::vector<uint8_t> bytes = WriteFpx(source, rgb);
    NIFHandle* h = Open(bytes);
    ASSERT_NE(nullptr, h);
    NIFImageInformation info{};
    ASSERT_EQ(0, NIFGetImageInformation(h, &info));
    EXPECT_EQ(4, info.channels);
    EXPECT_EQ(1, info.hasOpacity);
    const std::vector<Picture> pyramid = PyramidOf(source);
    for (int level = 0; level < info.levels; ++level)
        EXPECT_EQ(0, Compare(pyramid[level], DecodeLevel(h, level, NIF_SPACE_RGB, true)).max) << "level " << level;
    EXPECT_EQ(0, NIFCloseImage(h));
}

// Tile 1 of each level carries tables of its own and so is decoded on its own; the others are
// decoded in runs.
TEST_F(ToolkitTest, MonochromeWithOpacityJpegTilesDecodeAsTwoChannels) {
    const Picture source = WithOpacity(MakeScene(200, 130), true);
    FpxWriteOptions grey;
    grey.photoYcc = false;
    grey.monochrome = true;
    grey.quality = 95;
    grey.ownTablesTile = 1;
    std::vector<uint8_t> bytes = WriteFpx(source, grey);
    NIFHandle* h = Open(bytes);
    ASSERT_NE(nullptr, h);
    const std::vector<Picture> pyramid = PyramidOf(source);
    for (int level = 0; level < int(pyramid.size()); ++level) {
        const Picture got = DecodeLevel(h, level, NIF_SPACE_MONOCHROME, true);
        EXPECT_LT(Compare(pyramid[level], got).mean, 4.0) << "level " << level;
    }
    EXPECT_EQ(0, NIFCloseImage(h));
}

TEST_F(ToolkitTest, ViewsOfBothClassesShowTheirImageAndFallBackToTheSource) {
    const Picture source = MakeScene(100, 70);
    FpxWriteOptions rgb;
    rgb.jpeg = false;
    rgb.photoYcc = false;
    for (bool second : {false, true})
        for (uint32_t visible : {1u, 2u}) {   // the source, or the transform's result (not stored)
            std::vector<uint8_t> bytes = WriteFpxView(source, rgb, second, visible);
            long kind = 0;
            NIFHandle* h = Open(bytes, &kind);
            ASSERT_NE(nullptr, h) << "second class " << second << ", output " << visible;
            EXPECT_EQ(second ? NIF_KIND_SECOND_VIEW : NIF_KIND_VIEW, kind);
            EXPECT_EQ(0, Compare(source, DecodeLevel(h, 1)).max);
            EXPECT_EQ(0, NIFCloseImage(h));
        }
}
