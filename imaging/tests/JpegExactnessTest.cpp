// JPEG tiles decode to exactly the samples that libjpeg gives for each tile decoded on its own
// after the image's tables: at every chroma sampling, for tiles that libjpeg turns into RGB,
// and around a tile that brings tables of its own.
#include "FpxTestWriter.h"
#include "ToolkitFixture.h"

#include <cstring>

#include <jpeglib.h>

namespace {

constexpr int kTile = 64;

std::vector<uint8_t> DecodeAlone(const std::vector<uint8_t>& tables, const std::vector<uint8_t>& tile, bool rgb) {
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, tables.data(), tables.size());
    jpeg_read_header(&d, FALSE);
    jpeg_mem_src(&d, tile.data(), tile.size());
    jpeg_read_header(&d, TRUE);
    d.out_color_space = rgb ? JCS_RGB : JCS_YCbCr;
    jpeg_start_decompress(&d);
    std::vector<uint8_t> out(kTile * kTile * 3);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = &out[d.output_scanline * kTile * 3];
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return out;
}

// The level as its tiles decoded alone give it.
Picture Reference(const FpxLevelStreams& level, bool rgb) {
    Picture p{level.width, level.height, 3, std::vector<uint8_t>(size_t(level.width) * level.height * 3)};
    const int across = (level.width + kTile - 1) / kTile;
    for (size_t t = 0; t < level.tiles.size(); ++t) {
        const std::vector<uint8_t> tile = DecodeAlone(level.tables, level.tiles[t], rgb);
        const int x0 = int(t % across) * kTile, y0 = int(t / across) * kTile;
        for (int y = y0; y < std::min(y0 + kTile, level.height); ++y)
            for (int x = x0; x < std::min(x0 + kTile, level.width); ++x)
                std::memcpy(&p.pixels[(size_t(y) * level.width + x) * 3], &tile[((y - y0) * kTile + x - x0) * 3], 3);
    }
    return p;
}

class TileDecoding : public ToolkitTest {
protected:
    // Every level of a 333 x 201 picture written with the options, in its stored space,
    // against the reference.
    void ExpectExactAtEveryLevel(const FpxWriteOptions& options) {
        std::vector<FpxLevelStreams> streams;
        const std::vector<uint8_t> bytes = WriteFpx(MakeScene(333, 201), options, &streams);
        NIFHandle* h = Open(bytes);
        ASSERT_NE(nullptr, h);
        for (size_t level = 0; level < streams.size(); ++level) {
            const bool rgb = options.internalConversion;
            const Picture got = DecodeLevel(h, int(level), rgb ? NIF_SPACE_RGB : NIF_SPACE_PHOTOYCC);
            const Picture expected = Reference(streams[level], rgb);
            ASSERT_EQ(expected.pixels.size(), got.pixels.size());
            int differing = 0;
            for (size_t i = 0; i < got.pixels.size(); ++i) differing += got.pixels[i] != expected.pixels[i];
            EXPECT_EQ(0, differing) << "level " << level;
        }
        EXPECT_EQ(0, NIFCloseImage(h));
    }
};

class Sampling : public TileDecoding, public ::testing::WithParamInterface<std::pair<int, int>> {};

}  // namespace

TEST_P(Sampling, TilesDecodeAsEachAloneDoes) {
    FpxWriteOptions options;
    options.lumaH = GetParam().first;
    options.lumaV = GetParam().second;
    ExpectExactAtEveryLevel(options);
}

INSTANTIATE_TEST_SUITE_P(Luma, Sampling,
                         ::testing::Values(std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 2}, std::pair{2, 2}));

TEST_F(TileDecoding, TilesThatLibjpegTurnsIntoRgbDecodeAsEachAloneDoes) {
    FpxWriteOptions options;
    options.photoYcc = false;
    options.internalConversion = true;
    ExpectExactAtEveryLevel(options);
}

// The full size is 6 x 4 tiles; the third of the first row has tables at half the quality.
TEST_F(TileDecoding, ATileWithTablesOfItsOwnLeavesTheSharedTablesToTheOthers) {
    FpxWriteOptions options;
    options.ownTablesTile = 2;
    ExpectExactAtEveryLevel(options);
}
