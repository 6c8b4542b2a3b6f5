#include "JpegInformation.h"

#include "JpegErrorTrap.h"
#include "RetrievalCodes.h"
#include "ThumbnailPixels.h"

#include <cstdio>
#include <memory>
#include <new>

#include <jpeglib.h>

namespace acquire {
namespace {

// One decompression of data held in memory. Only plain data lives in the frames that a libjpeg
// failure leaves by longjmp.
class Decompression {
public:
    Decompression(const BYTE* data, size_t size) {
        InstallJpegErrorTrap(info_, error_, false);
        jpeg_create_decompress(&info_);
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

    // The picture at an eighth of its size as rows of red, green, blue, top row first.
    bool DecodeReduced(BYTE** pixels, size_t* stride) {
        if (__builtin_setjmp(error_.jump)) return false;
        info_.scale_num = 1;
        info_.scale_denom = 8;
        info_.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info_);
        *stride = size_t(info_.output_width) * 3;
        *pixels = new (std::nothrow) BYTE[*stride * info_.output_height];
        if (!*pixels) return false;
        while (info_.output_scanline < info_.output_height) {
            JSAMPROW row = *pixels + size_t(info_.output_scanline) * *stride;
            jpeg_read_scanlines(&info_, &row, 1);
        }
        jpeg_finish_decompress(&info_);
        return true;
    }

private:
    jpeg_decompress_struct info_{};
    JpegErrorTrap error_{};
};

std::vector<BYTE> ReducedThumbnail(Decompression& jpeg) {
    BYTE* pixels = nullptr;
    size_t stride = 0;
    bool decoded = jpeg.DecodeReduced(&pixels, &stride);
    std::unique_ptr<BYTE[]> owned(pixels);
    if (!decoded) return {};
    return MakeThumbnail({owned.get(), int(jpeg.info().output_width), int(jpeg.info().output_height), stride});
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
