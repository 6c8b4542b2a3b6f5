// The thumbnail pictures and cells: the camera's mosaic decoded to 96 x 72 pixels and the cells laid
// out in rows that fit the window.
#include "GlobalMemory.h"
#include "ThumbNailImage.h"
#include "ThumbnailLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Pixel {
    BYTE blue, green, red;
    bool operator==(const Pixel&) const = default;
};

// The pixel of an output row counted from the top.
Pixel PixelAt(const CThumbNailImage& image, int row, int x) {
    pv::LockedGlobal lock(image.Bitmap());
    auto* header = lock.as<BITMAPINFOHEADER>();
    const BYTE* p = reinterpret_cast<const BYTE*>(header + 1) + (71 - row) * 288 + x * 3;
    return {p[0], p[1], p[2]};
}

}  // namespace

TEST(ThumbNailImageTest, TheBitmapIsAPackedBottomUpTwentyFourBitPicture) {
    std::vector<BYTE> mosaic(3456, 0xFF);
    CThumbNailImage image(mosaic.data(), mosaic.size());
    pv::LockedGlobal lock(image.Bitmap());
    ASSERT_TRUE(lock);
    EXPECT_EQ(SIZE_T(44 + 288 * 72), lock.size());
    auto* header = lock.as<BITMAPINFOHEADER>();
    EXPECT_EQ(40u, header->biSize);
    EXPECT_EQ(96, header->biWidth);
    EXPECT_EQ(72, header->biHeight);
    EXPECT_EQ(24, header->biBitCount);
    EXPECT_EQ(DWORD(BI_RGB), header->biCompression);
    for (int row : {0, 35, 71})
        for (int x : {0, 47, 95}) EXPECT_EQ((Pixel{0xF0, 0xF0, 0xF0}), PixelAt(image, row, x)) << row << "," << x;
}

TEST(ThumbNailImageTest, EachTwoByTwoBlockGivesGreenRedBlueGreen) {
    std::vector<BYTE> mosaic(3456, 0);
    // Row 0: G1 = 0x1, R = 0x2 at columns 0 and 1; row 1: B = 0x3, G2 = 0x4; the last block of the
    // picture: G1 = 0xA, R = 0xB, B = 0xC, G2 = 0xD.
    mosaic[0] = 0x12;
    mosaic[48] = 0x34;
    mosaic[70 * 48 + 47] = 0xAB;
    mosaic[71 * 48 + 47] = 0xCD;
    CThumbNailImage image(mosaic.data(), mosaic.size());
    EXPECT_EQ((Pixel{0x30, 0x10, 0x20}), PixelAt(image, 0, 0));
    EXPECT_EQ((Pixel{0x30, 0x10, 0x20}), PixelAt(image, 0, 1));
    EXPECT_EQ((Pixel{0x30, 0x40, 0x20}), PixelAt(image, 1, 0));
    EXPECT_EQ((Pixel{0x30, 0x40, 0x20}), PixelAt(image, 1, 1));
    EXPECT_EQ((Pixel{0, 0, 0}), PixelAt(image, 0, 2)) << "the next block";
    EXPECT_EQ((Pixel{0xC0, 0xA0, 0xB0}), PixelAt(image, 70, 95));
    EXPECT_EQ((Pixel{0xC0, 0xD0, 0xB0}), PixelAt(image, 71, 94));
}

TEST(ThumbNailImageTest, AShortBlockLeavesTheRestBlackAndNothingIsReadBeyondIt) {
    std::vector<BYTE> mosaic(10, 0xFF);
    CThumbNailImage image(mosaic.data(), mosaic.size());
    EXPECT_EQ((Pixel{0, 0xF0, 0xF0}), PixelAt(image, 0, 0)) << "blue comes from the missing second row";
    EXPECT_EQ((Pixel{0, 0, 0}), PixelAt(image, 0, 40));
    CThumbNailImage none(nullptr, 0);
    EXPECT_EQ((Pixel{0, 0, 0}), PixelAt(none, 10, 10));
}

TEST(ThumbNailImageTest, CellsFillRowsThatFitTheWindow) {
    using namespace thumblayout;
    EXPECT_EQ(4, ColumnsFor(700));
    EXPECT_EQ(7, RowsFor(25, ColumnsFor(700)));
    EXPECT_EQ(1, ColumnsFor(100)) << "at least one column";
    EXPECT_EQ(1, RowsFor(0, 4)) << "at least one row";
    EXPECT_EQ(141, CellHeight(-11));
    EXPECT_EQ(156, RowPitch(-11));
    POINT fifth = CellOrigin(5, 4, -11);
    EXPECT_EQ(1 * 154 + 20, fifth.x);
    EXPECT_EQ(156 + 20, fifth.y);
    POINT first = CellOrigin(0, 4, 11);
    EXPECT_EQ(20, first.x);
    EXPECT_EQ(20, first.y);
}
