// The JPEG information reader on small files that ask for much: a frame claiming a huge picture
// (the thumbnail of a sequential picture is made a row at a time, and a progressive picture whose
// coefficients would need more working memory than the reader allows is refused; neither raises
// the process's peak working set by more than a few megabytes), and scans added by the thousand
// (refused, where each would be another pass over the picture).
#include "JpegInformation.h"
#include "RetrievalCodes.h"
#include "TestPictures.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

using namespace acquire;
using namespace retrievaltest;

namespace {

constexpr size_t kAllowedRise = size_t(16) << 20;

// A small grey-and-colour picture compressed by libjpeg, progressive when asked.
Bytes Compressed(bool progressive) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = 64, c.image_height = 48, c.input_components = 3, c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(64 * 3);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64 * 3; ++x) row[size_t(x)] = JSAMPLE(x * 4 + y);
        JSAMPROW rows = row.data();
        jpeg_write_scanlines(&c, &rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// The file with its frame header's height and width set; the scan still holds the small picture.
Bytes Claiming(Bytes file, unsigned width, unsigned height) {
    for (size_t p = 2; p + 9 < file.size(); ++p)
        if (file[p] == 0xFF && (file[p + 1] == 0xC0 || file[p + 1] == 0xC2)) {
            file[p + 5] = BYTE(height >> 8), file[p + 6] = BYTE(height);
            file[p + 7] = BYTE(width >> 8), file[p + 8] = BYTE(width);
            return file;
        }
    ADD_FAILURE() << "no frame header";
    return file;
}

// The file with scans of the first component added before its end: DC refinements with no data,
// which libjpeg takes with a warning each and a pass over all the component's blocks.
Bytes WithEmptyScans(Bytes file, int scans) {
    const Bytes scan = {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x00, 0x10};
    Bytes added;
    for (int i = 0; i < scans; ++i) added.insert(added.end(), scan.begin(), scan.end());
    file.insert(file.end() - 2, added.begin(), added.end());
    return file;
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS m{};
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return m;
}

// The reader's result on the file, and whether the peak working set stayed within the allowance.
int ReadWithinAllowance(const Bytes& file, PictureReading* reading, bool* within) {
    const PROCESS_MEMORY_COUNTERS before = Memory();
    const int result = ReadJpegInformation(file.data(), file.size(), reading);
    const PROCESS_MEMORY_COUNTERS after = Memory();
    *within = after.PeakWorkingSetSize <= std::max(before.PeakWorkingSetSize, before.WorkingSetSize + kAllowedRise);
    if (!*within)
        std::printf("peak working set %zu KiB after, %zu KiB before (working set %zu KiB)\n",
                    size_t(after.PeakWorkingSetSize / 1024), size_t(before.PeakWorkingSetSize / 1024),
                    size_t(before.WorkingSetSize / 1024));
    return result;
}

}  // namespace

TEST(JpegInformationMemory, SequentialPictureClaimingAHugeSizeGetsAThumbnailInLittleMemory) {
    PictureReading reading;
    bool within = false;
    ASSERT_EQ(0, ReadWithinAllowance(Claiming(Compressed(false), 40000, 40000), &reading, &within));
    EXPECT_TRUE(within);
    EXPECT_EQ(40000u, reading.width);
    EXPECT_EQ(40000u, reading.height);
    EXPECT_EQ(20736u, reading.thumbnail.size());
    // The small picture's first rows at the top left of the thumbnail, libjpeg's grey fill of the
    // missing data elsewhere.
    const Bytes corner = ThumbnailPixel(reading.thumbnail, 0, 0);
    const Bytes elsewhere = ThumbnailPixel(reading.thumbnail, 50, 40);
    EXPECT_NE(corner, elsewhere);
}

TEST(JpegInformationMemory, ProgressivePictureNeedingTooMuchWorkingMemoryIsRefused) {
    PictureReading reading;
    bool within = false;
    EXPECT_EQ(kErrJpegData, ReadWithinAllowance(Claiming(Compressed(true), 20000, 20000), &reading, &within));
    EXPECT_TRUE(within);
    // A progressive picture of a usual size still reads.
    ASSERT_EQ(0, ReadWithinAllowance(Claiming(Compressed(true), 64, 48), &reading, &within));
    EXPECT_TRUE(within);
    EXPECT_EQ(20736u, reading.thumbnail.size());
}

TEST(JpegInformationWork, ProgressivePictureWithEndlessScansIsRefused) {
    PictureReading reading;
    // Each added scan would be a pass over four million blocks.
    const Bytes endless = WithEmptyScans(Claiming(Compressed(true), 2048, 2048), 20000);
    EXPECT_EQ(kErrJpegData, ReadJpegInformation(endless.data(), endless.size(), &reading));
    // A few added scans are only warnings, which the reader lets pass.
    const Bytes few = WithEmptyScans(Compressed(true), 20);
    ASSERT_EQ(0, ReadJpegInformation(few.data(), few.size(), &reading));
    EXPECT_EQ(20736u, reading.thumbnail.size());
}
