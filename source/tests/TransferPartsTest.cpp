// The memory transfer's strips and the file transfer's BMP on bitmaps made here: rows padded to 4
// bytes, odd and even heights, bitmaps other than the ones described, large bitmaps written in
// chunks over a longer file, and files that cannot be written.
#include "BitmapFile.h"
#include "BmpFileCheck.h"
#include "GlobalMemory.h"
#include "MemoryStripState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

using source::MemoryStripState;

namespace {

uint32_t Stride(int width) { return (uint32_t(width) * 3 + 3) / 4 * 4; }

// A packed bottom-up bitmap whose pixel (x, y), row 0 the top, is blue x, green y, red x + y + 100;
// padding bytes are 0xEE.
pv::GlobalBlock MakeBitmap(int width, int height, SIZE_T cut = 0) {
    const SIZE_T size = sizeof(BITMAPINFOHEADER) + SIZE_T(Stride(width)) * height;
    pv::GlobalBlock block = pv::GlobalBlock::alloc(GMEM_MOVEABLE, size - cut);
    pv::LockedGlobal locked(block.get());
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, Stride(width) * height, 0, 0, 0, 0};
    std::vector<BYTE> bytes(size, 0xEE);
    std::memcpy(bytes.data(), &header, sizeof header);
    for (int y = 0; y < height; ++y) {
        BYTE* row = bytes.data() + sizeof header + SIZE_T(height - 1 - y) * Stride(width);
        for (int x = 0; x < width; ++x) row[x * 3] = BYTE(x), row[x * 3 + 1] = BYTE(y), row[x * 3 + 2] = BYTE(x + y + 100);
    }
    std::memcpy(locked.data(), bytes.data(), size - cut);
    return block;
}

TW_IMAGEINFO Describe(int width, int height) {
    TW_IMAGEINFO info{};
    info.ImageWidth = width;
    info.ImageLength = height;
    info.SamplesPerPixel = 3;
    info.BitsPerPixel = 24;
    info.PixelType = TWPT_RGB;
    return info;
}

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace

TEST(MemoryStrips, PaddedRowsComeTopRowFirstInRedGreenBlue) {
    for (auto [width, height] : {std::pair{5, 3}, std::pair{6, 4}, std::pair{7, 1}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        std::unique_ptr<MemoryStripState> strips;
        ASSERT_EQ(source::kOk, MemoryStripState::Begin(MakeBitmap(width, height), Describe(width, height), &strips));
        ASSERT_EQ(Stride(width), strips->bytesPerRow());
        std::vector<BYTE> memory(Stride(width) * 2 + 5, 0x11);
        TW_IMAGEMEMXFER transfer{};
        transfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, TW_UINT32(memory.size()), memory.data()};
        std::vector<BYTE> delivered;
        source::Code code = source::kOk;
        for (int strip = 0; code == source::kOk && strip < height; ++strip) {
            code = strips->Deliver(&transfer);
            EXPECT_EQ(delivered.size() / Stride(width), transfer.YOffset);
            EXPECT_EQ(TW_UINT32(width), transfer.Columns);
            EXPECT_EQ(transfer.Rows * Stride(width), transfer.BytesWritten);
            EXPECT_EQ(std::min<TW_UINT32>(2, height - transfer.YOffset), transfer.Rows);
            delivered.insert(delivered.end(), memory.begin(), memory.begin() + transfer.BytesWritten);
        }
        EXPECT_EQ(source::kXferDone, code);
        ASSERT_EQ(SIZE_T(Stride(width)) * height, delivered.size());
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const BYTE* rgb = &delivered[SIZE_T(y) * Stride(width) + x * 3];
                wrong += rgb[0] != BYTE(x + y + 100) || rgb[1] != BYTE(y) || rgb[2] != BYTE(x);
            }
        EXPECT_EQ(0, wrong);
    }
}

TEST(MemoryStrips, BitmapsOtherThanTheOneDescribedAreRefused) {
    std::unique_ptr<MemoryStripState> strips;
    // One byte short of its bits, a header of another size, no block at all.
    EXPECT_EQ(source::kOperationError, MemoryStripState::Begin(MakeBitmap(5, 3, 1), Describe(5, 3), &strips));
    EXPECT_EQ(source::kOperationError, MemoryStripState::Begin(MakeBitmap(5, 3), Describe(5, 4), &strips));
    EXPECT_EQ(source::kOperationError, MemoryStripState::Begin(MakeBitmap(5, 3), Describe(4, 3), &strips));
    EXPECT_EQ(source::kOperationError, MemoryStripState::Begin(pv::GlobalBlock(), Describe(5, 3), &strips));
    EXPECT_FALSE(strips);
}

TEST(BitmapFile, HeaderThenTheWholeBlockInChunksOverALongerFile) {
    const std::string path = TempPath("pvsource_parts.bmp");
    // A longer file is there before: it is cut to the bitmap.
    std::ofstream(path, std::ios::binary) << std::string(300000, 'x');
    pv::GlobalBlock bitmap = MakeBitmap(301, 97);   // about 88 KB of bits: two write calls
    ASSERT_EQ(source::kXferDone, source::WriteBitmapFile(bitmap.get(), path.c_str()));
    std::vector<BYTE> file;
    ASSERT_TRUE(sourcetest::ReadWholeBmp(path, &file));
    const size_t header = sizeof(BITMAPFILEHEADER);
    pv::LockedGlobal locked(bitmap.get());
    ASSERT_EQ(locked.size(), file.size() - header);
    EXPECT_EQ(0, std::memcmp(locked.data(), file.data() + header, locked.size()));
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST(BitmapFile, BlocksShorterThanTheirHeaderAndUnwritablePathsFail) {
    const std::string path = TempPath("pvsource_parts_short.bmp");
    DeleteFileA(path.c_str());
    EXPECT_EQ(source::kOperationError, source::WriteBitmapFile(MakeBitmap(30, 20, 1).get(), path.c_str()));
    // Nothing is written for a block that cannot be written whole.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    EXPECT_EQ(source::kOperationError,
              source::WriteBitmapFile(MakeBitmap(30, 20).get(), TempPath("no such folder\\picture.bmp").c_str()));
    EXPECT_EQ(source::kNoMemory, source::WriteBitmapFile(nullptr, path.c_str()));
}
