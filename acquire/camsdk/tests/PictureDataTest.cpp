// The camera library's readings of camera data: the thumbnail mosaic as pixels, and the maker block
// of a camera JPEG file's head.
#include "MakerNote.h"
#include "MosaicThumbnail.h"
#include "pvcamsdk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A head as the camera writes it: SOI, APP1 "Exif", big-endian TIFF with IFD0 -> Exif IFD ->
// maker note of 48 bytes.
std::vector<BYTE> CameraHead(const std::vector<BYTE>& block) {
    std::vector<BYTE> tiff = {'M', 'M', 0, 42, 0, 0, 0, 8};
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        for (int shift : {8, 0}) tiff.push_back(BYTE(tag >> shift));
        for (int shift : {8, 0}) tiff.push_back(BYTE(type >> shift));
        for (int shift : {24, 16, 8, 0}) tiff.push_back(BYTE(count >> shift));
        for (int shift : {24, 16, 8, 0}) tiff.push_back(BYTE(value >> shift));
    };
    tiff.insert(tiff.end(), {0, 1});            // IFD0 at 8: one entry
    entry(34665, 4, 1, 26);                     // Exif IFD at 26
    tiff.insert(tiff.end(), {0, 0, 0, 0});
    tiff.insert(tiff.end(), {0, 1});            // Exif IFD at 26
    entry(37500, 7, 48, 44);                    // maker note at 44
    tiff.insert(tiff.end(), {0, 0, 0, 0});
    tiff.insert(tiff.end(), block.begin(), block.end());
    uint16_t length = uint16_t(tiff.size() + 8);
    const BYTE start[12] = {0xFF, 0xD8, 0xFF, 0xE1, BYTE(length >> 8), BYTE(length), 'E', 'x', 'i', 'f', 0, 0};
    std::vector<BYTE> head(sizeof start + tiff.size());
    std::copy(std::begin(start), std::end(start), head.begin());
    std::copy(tiff.begin(), tiff.end(), head.begin() + sizeof start);
    return head;
}

std::vector<BYTE> Pv360Block() {
    std::vector<BYTE> b(48, 0);
    b[1] = 4;
    b[2] = 3;
    b[3] = 1;
    b[4] = 2;
    b[12] = 0x12, b[13] = 0x34, b[14] = 0x56, b[15] = 0x78;
    b[16] = 1;
    b[18] = 12;                  // f/8
    b[21] = 0xF3;                // zoom 3 in the low four bits
    b[28] = 0, b[29] = 0, b[30] = 0x06, b[31] = 0x83;   // 1667 x 10 us
    return b;
}

}  // namespace

TEST(MosaicThumbnail, EachBlockGivesTwoRowsOfTwoPixels) {
    std::vector<BYTE> mosaic(3456, 0);
    // Top-left block: green 0xA, red 0x5 on the first row, blue 0x3, green 0xC on the second.
    mosaic[0] = 0xA5;
    mosaic[48] = 0x3C;
    // The last block of the picture: G1 1, R 2, B 3, G2 4.
    mosaic[70 * 48 + 47] = 0x12;
    mosaic[71 * 48 + 47] = 0x34;
    std::vector<BYTE> pixels(kPvThumbnailBytes, 0xEE);
    MosaicToPixels(mosaic.data(), pixels.data());
    auto pixel = [&](int x, int y) {   // y counted from the top; the rows are stored bottom-up
        const BYTE* p = &pixels[(71 - y) * 288 + x * 3];
        return std::vector<BYTE>{p[0], p[1], p[2]};
    };
    EXPECT_EQ((std::vector<BYTE>{0x30, 0xA0, 0x50}), pixel(0, 0));
    EXPECT_EQ((std::vector<BYTE>{0x30, 0xA0, 0x50}), pixel(1, 0));
    EXPECT_EQ((std::vector<BYTE>{0x30, 0xC0, 0x50}), pixel(0, 1));
    EXPECT_EQ((std::vector<BYTE>{0x30, 0xC0, 0x50}), pixel(1, 1));
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0}), pixel(2, 0));
    EXPECT_EQ((std::vector<BYTE>{0x30, 0x10, 0x20}), pixel(95, 70));
    EXPECT_EQ((std::vector<BYTE>{0x30, 0x40, 0x20}), pixel(94, 71));
    EXPECT_EQ(0, std::count(pixels.begin(), pixels.end(), 0xEE));
}

TEST(MakerNote, ReadsTheCamerasBlock) {
    std::vector<BYTE> head = CameraHead(Pv360Block());
    auto note = ReadMakerNote(head.data(), head.size());
    ASSERT_TRUE(note);
    EXPECT_EQ(106, note->cameraType);
    EXPECT_EQ(0x12345678u, note->taken);
    EXPECT_TRUE(note->flashUsed);
    EXPECT_EQ(80, note->apertureTenths);
    EXPECT_EQ(16670u, note->exposureMicroseconds);
    EXPECT_EQ(3, note->zoom);

    std::vector<BYTE> pv350 = Pv360Block();
    pv350[1] = 3;
    head = CameraHead(pv350);
    note = ReadMakerNote(head.data(), head.size());
    ASSERT_TRUE(note);
    EXPECT_EQ(105, note->cameraType);
    EXPECT_EQ(-1, note->zoom);
}

TEST(MakerNote, RefusesBlocksOutsideTheRulesAndShortHeads) {
    for (auto [offset, value] : {std::pair{2, 4}, {1, 5}, {3, 2}, {4, 4}, {17, 5}, {27, 3}}) {
        std::vector<BYTE> block = Pv360Block();
        block[size_t(offset)] = BYTE(value);
        std::vector<BYTE> head = CameraHead(block);
        EXPECT_FALSE(ReadMakerNote(head.data(), head.size())) << offset;
    }
    std::vector<BYTE> head = CameraHead(Pv360Block());
    for (size_t cut : {size_t(0), size_t(3), size_t(20), head.size() - 1})
        EXPECT_FALSE(ReadMakerNote(head.data(), cut)) << cut;
    head[6] = 'X';
    EXPECT_FALSE(ReadMakerNote(head.data(), head.size()));
    // A directory that claims more entries than the head holds.
    head = CameraHead(Pv360Block());
    head[12 + 8] = 0x7F;
    EXPECT_FALSE(ReadMakerNote(head.data(), head.size()));
}
