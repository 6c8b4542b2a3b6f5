#include "JpegPictureReader.h"

#include "DecodeCodes.h"
#include "ErrorDisplay.h"
#include "JpegErrorTrap.h"

#include <cstdio>
#include <jpeglib.h>

#include <cstring>
#include <memory>
#include <new>

namespace acquire {
namespace {

// Everything the decode touches. The frame that the long jump returns to holds only this plain
// data, so that leaving libjpeg's frames skips no destructor.
struct JpegJob {
    jpeg_decompress_struct cinfo;
    JpegErrorTrap trap;
    const uint8_t* data;
    size_t size;
    PictureBitmap::Placement place;
    uint32_t width;
    uint32_t height;
    uint8_t* row;   // one stored row when the picture is turned; null when rows go straight in
    DecodeProgress* progress;
    bool scanning;
};

// Copies a decoded row of blue-green-red pixels to where the turned picture wants them.
void PlaceRow(const JpegJob& job, uint32_t y) {
    uint8_t* to = job.place.origin + long(y) * job.place.lineStride;
    for (uint32_t x = 0; x < job.width; ++x, to += job.place.pixelStride) std::memcpy(to, job.row + x * 3, 3);
}

int DecodeLines(JpegJob& job) {
    for (uint32_t y = 0; y < job.height; ++y) {
        JSAMPROW row = job.row ? job.row : job.place.origin + long(y) * job.place.lineStride;
        if (jpeg_read_scanlines(&job.cinfo, &row, 1) != 1) return kErrJpegData;
        if (job.row) PlaceRow(job, y);
        if (job.progress && !job.progress->Continue(long(job.height), long(y) + 1)) return kErrCancelled;
    }
    jpeg_finish_decompress(&job.cinfo);
    return 0;
}

int Decode(JpegJob& job) {
    if (__builtin_setjmp(job.trap.jump)) return job.scanning ? kErrJpegData : kErrUnexpected;
    // libjpeg's warnings are taken as damage too.
    InstallJpegErrorTrap(job.cinfo, job.trap, true);
    jpeg_create_decompress(&job.cinfo);
    jpeg_mem_src(&job.cinfo, job.data, static_cast<unsigned long>(job.size));
    if (jpeg_read_header(&job.cinfo, TRUE) != JPEG_HEADER_OK) return kErrUnexpected;
    if (job.cinfo.image_width != job.width || job.cinfo.image_height != job.height) return kErrUnexpected;
    job.scanning = true;
    job.cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&job.cinfo);
    if (job.cinfo.output_components != 3) return kErrJpegData;
    return DecodeLines(job);
}

}  // namespace

int ReadJpegPicture(const uint8_t* data, size_t size, const PictureBitmap& bitmap, DecodeProgress* progress) {
    if (!data || size < 2 || data[0] != 0xFF || data[1] != 0xD8) return kErrJpegData;
    if (!bitmap || size > 0xFFFFFFFFu) return kErrUnexpected;
    const bool straight = bitmap.rotation() % 4 == 0;
    std::unique_ptr<uint8_t[]> row(straight ? nullptr : new (std::nothrow) uint8_t[size_t(bitmap.storedWidth()) * 3]);
    if (!straight && !row) return kErrNoMemory;
    std::unique_ptr<JpegJob> job(new (std::nothrow) JpegJob);
    if (!job) return kErrNoMemory;
    *job = JpegJob{{}, {}, data, size, bitmap.placement(), bitmap.storedWidth(), bitmap.storedHeight(), row.get(),
                   progress, false};
    const int result = Decode(*job);
    jpeg_destroy_decompress(&job->cinfo);
    return result;
}

}  // namespace acquire
