#include "JpegInformation.h"

#include "JpegErrorTrap.h"
#include "RetrievalCodes.h"
#include "ThumbnailPixels.h"

#include <cstdio>
#include <memory>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace acquire {
namespace {

// The most working memory libjpeg may take for one picture. A progressive picture keeps all its
// coefficients (2 to 6 bytes a pixel), whatever the scale of the decode: one whose frame claims
// more than this (a damaged or hostile file of a few hundred bytes may claim 65500 x 65500) is
// refused instead.
constexpr long kWorkingMemoryBytes = 128L << 20;
// The most scans read of a progressive picture. Encoders write about ten; a damaged or hostile
// file may repeat scans by the thousand, each a pass over all the picture's blocks that libjpeg
// takes with a warning only (a 200 KB file kept the reader busy for 24 s).
constexpr int kMostScans = 100;

void StopEndlessScans(j_common_ptr common) {
    auto info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number <= kMostScans) return;
    common->err->msg_code = JERR_BAD_PROGRESSION;
    common->err->error_exit(common);
}

// One decompression of data held in memory. Only plain data lives in the frames that a libjpeg
// failure leaves by longjmp.
class Decompression {
public:
    Decompression(const BYTE* data, size_t size) {
        InstallJpegErrorTrap(info_, error_, false);
        jpeg_create_decompress(&info_);
        info_.mem->max_memory_to_use = kWorkingMemoryBytes;
        progress_.progress_monitor = StopEndlessScans;
        info_.progress = &progress_;
        jpeg_mem_src(&info_, data, static_cast<unsigned long>(size));
    }
    ~Decompression() { jpeg_destroy_decompress(&info_); }
    Decompression(const Decompression&) = delete;
    Decompression& operator=(const Decompression&) = delete;

    bool ReadHeader() {
        if (__builtin_setjmp(error_.jump)) return false;
        return jpeg_read_header(&info_, TRUE) == JPEG_HEADER_OK;
    }
    const jpeg_decompress_struct& info() const { return info_; }

    // The thumbnail of the picture decoded at an eighth of its size, one row at a time: the rows
    // the thumbnail takes are sampled as they come (row is one row's buffer, plain data that the
    // caller owns).
    bool DecodeThumbnail(BYTE* thumbnail, std::unique_ptr<BYTE[]>* row) {
        if (__builtin_setjmp(error_.jump)) return false;
        info_.scale_num = 1;
        info_.scale_denom = 8;
        info_.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info_);
        const int width = int(info_.output_width), height = int(info_.output_height);
        row->reset(new (std::nothrow) BYTE[size_t(width) * 3]);
        if (!*row) return false;
        int next = 0;   // the next thumbnail row
        while (info_.output_scanline < info_.output_height) {
            const int y = int(info_.output_scanline);
            JSAMPROW line = row->get();
            jpeg_read_scanlines(&info_, &line, 1);
            for (; next < kThumbHeight && ThumbnailSourceRow(next, height) == y; ++next)
                SampleThumbnailRow(row->get(), width, true, next, thumbnail);
        }
        jpeg_finish_decompress(&info_);
        return true;
    }

private:
    jpeg_decompress_struct info_{};
    JpegErrorTrap error_{};
    jpeg_progress_mgr progress_{};
};

std::vector<BYTE> ReducedThumbnail(Decompression& jpeg) {
    std::vector<BYTE> thumbnail(kThumbBytes);
    std::unique_ptr<BYTE[]> row;
    if (!jpeg.DecodeThumbnail(thumbnail.data(), &row)) return {};
    return thumbnail;
}

}  // namespace

int ReadJpegInformation(const BYTE* data, size_t size, PictureReading* reading) {
    if (!data || size < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF) return kErrJpegData;
    MakerNoteReading maker = InspectMakerNote(data, size);
    if (maker.state == MakerNoteReading::State::kBroken) return kErrJpegData;
    Decompression jpeg(data, size);
    if (!jpeg.ReadHeader()) return kErrJpegHeader;
    reading->format = kFormatJpeg;
    reading->width = jpeg.info().image_width;
    reading->height = jpeg.info().image_height;
    reading->colour = jpeg.info().num_components >= 3;
    if (maker.state == MakerNoteReading::State::kRead) reading->maker = maker.note;
    if (reading->maker && reading->maker->thumbnailOffset) {
        reading->thumbnail = MakeThumbnail({data + reading->maker->thumbnailOffset, kThumbWidth, kThumbHeight, kThumbWidth * 3});
    } else {
        reading->thumbnail = ReducedThumbnail(jpeg);
        if (reading->thumbnail.empty()) return kErrJpegData;
    }
    return 0;
}

}  // namespace acquire
