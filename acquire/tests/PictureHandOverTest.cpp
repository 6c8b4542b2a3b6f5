// Handing over disk pictures: the packed bitmap block and its header, the progress shown while
// decoding, a cancel, and the entries that cannot be handed over.
#include "DecodeCodes.h"
#include "ErrorDisplay.h"
#include "FpxTestWriter.h"
#include "GlobalMemory.h"
#include "PictureHandOver.h"
#include "RetrievalTestFiles.h"

#include <gtest/gtest.h>

#include <fstream>

using acquire::PictureEntry;

namespace {

class PercentRecorder : public acquire::TransferProgress {
public:
    explicit PercentRecorder(int stopAbove = 101) : stopAbove_(stopAbove) {}
    bool Show(int percent) noexcept override {
        shown.push_back(percent);
        return percent <= stopAbove_;
    }
    std::vector<int> shown;

private:
    int stopAbove_;
};

PictureEntry DiskEntry(const std::string& path, uint32_t width, uint32_t height, uint16_t rotation = 0) {
    PictureEntry entry;
    entry.source = PictureEntry::Source::kDisk;
    entry.name = path;
    entry.width = width;
    entry.height = height;
    entry.rotation = rotation;
    return entry;
}

int HandOver(const PictureEntry* entry, pv::GlobalBlock* bitmap, acquire::TransferProgress* progress = nullptr) {
    return acquire::HandOverPicture({entry, nullptr, true, nullptr, progress}, bitmap->put());
}

std::string TempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace

TEST(PictureHandOver, DiskJpegBecomesAMovablePackedBitmap) {
    const PictureEntry entry = DiskEntry(retrievaltest::JpegFolder() + "odd420.jpg", 333, 211);
    pv::GlobalBlock bitmap;
    PercentRecorder progress;
    ASSERT_EQ(0, HandOver(&entry, &bitmap, &progress));
    ASSERT_TRUE(bitmap);
    const uint32_t stride = (333 * 3 + 3) / 4 * 4;
    EXPECT_EQ(sizeof(BITMAPINFOHEADER) + stride * 211, GlobalSize(bitmap.get()));
    // Movable and handed over unlocked.
    EXPECT_EQ(0u, GlobalFlags(bitmap.get()) & GMEM_LOCKCOUNT);
    EXPECT_NE(static_cast<void*>(bitmap.get()), GlobalLock(bitmap.get()));
    GlobalUnlock(bitmap.get());
    const retrievaltest::Bitmap view = retrievaltest::ViewOf(bitmap.get());
    const BITMAPINFOHEADER& h = view.header;
    EXPECT_EQ(40u, h.biSize);
    EXPECT_EQ(333, h.biWidth);
    EXPECT_EQ(211, h.biHeight);
    EXPECT_EQ(1, h.biPlanes);
    EXPECT_EQ(24, h.biBitCount);
    EXPECT_EQ(DWORD(BI_RGB), h.biCompression);
    EXPECT_EQ(stride * 211, h.biSizeImage);
    EXPECT_EQ(0, h.biXPelsPerMeter + h.biYPelsPerMeter + LONG(h.biClrUsed + h.biClrImportant));
    // No download: the decoding fills the second half of the bar.
    ASSERT_EQ(211u, progress.shown.size());
    EXPECT_EQ(50, progress.shown.front());
    EXPECT_EQ(100, progress.shown.back());
    EXPECT_TRUE(std::is_sorted(progress.shown.begin(), progress.shown.end()));
}

TEST(PictureHandOver, QuarterTurnedFlashPixHasWidthAndHeightExchanged) {
    const std::string path = TempFile("handover_turned.fpx");
    FpxWriteOptions raw;
    raw.jpeg = false;
    raw.photoYcc = false;
    const std::vector<uint8_t> fpx = WriteFpx(MakeScene(120, 80), raw);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(fpx.data()), long(fpx.size()));
    const PictureEntry entry = DiskEntry(path, 120, 80, 3);
    pv::GlobalBlock bitmap;
    ASSERT_EQ(0, HandOver(&entry, &bitmap));
    const retrievaltest::Bitmap view = retrievaltest::ViewOf(bitmap.get());
    EXPECT_EQ(80, view.header.biWidth);
    EXPECT_EQ(120, view.header.biHeight);
    DeleteFileA(path.c_str());
}

TEST(PictureHandOver, CancelAndEntriesThatCannotBeHandedOver) {
    const std::string jpeg = retrievaltest::JpegFolder() + "odd420.jpg";
    pv::GlobalBlock bitmap;
    PictureEntry entry = DiskEntry(jpeg, 333, 211);
    PercentRecorder stopAt60(60);
    EXPECT_EQ(acquire::kErrCancelled, HandOver(&entry, &bitmap, &stopAt60));
    EXPECT_FALSE(bitmap);
    EXPECT_EQ(61, stopAt60.shown.back());

    EXPECT_EQ(acquire::kErrUnexpected, HandOver(nullptr, &bitmap));
    entry.name = retrievaltest::JpegFolder() + "odd420.bmp";
    EXPECT_EQ(acquire::kErrUnknownFileType, HandOver(&entry, &bitmap));
    entry.name = retrievaltest::JpegFolder() + "missing.jpg";
    EXPECT_EQ(acquire::kErrNoMemory, HandOver(&entry, &bitmap));
    // A JPEG file named as FlashPix is not FlashPix data.
    const std::string misnamed = TempFile("handover_misnamed.FPX");
    ASSERT_TRUE(CopyFileA(jpeg.c_str(), misnamed.c_str(), FALSE));
    entry.name = misnamed;
    EXPECT_EQ(acquire::kErrFlashPixRefused, HandOver(&entry, &bitmap));
    DeleteFileA(misnamed.c_str());
    // No size: nothing to decode into.
    entry = DiskEntry(jpeg, 0, 211);
    EXPECT_EQ(acquire::kErrNoMemory, HandOver(&entry, &bitmap));
    EXPECT_FALSE(bitmap);
}
