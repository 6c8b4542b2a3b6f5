#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace pvsim {
namespace {

struct ErrorTrap {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

void bailOut(j_common_ptr info) { longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1); }

// A compressor writing to a growing memory block, released on every path.
class Compressor {
public:
    explicit Compressor(int quality, bool photoYcc) {
        info_.err = jpeg_std_error(&trap_.mgr);
        trap_.mgr.error_exit = bailOut;
        jpeg_create_compress(&info_);
        jpeg_mem_dest(&info_, &buffer_, &size_);
        info_.input_components = 3;
        info_.in_color_space = photoYcc ? JCS_YCbCr : JCS_RGB;
        jpeg_set_defaults(&info_);
        info_.write_JFIF_header = FALSE;
        jpeg_set_quality(&info_, quality, TRUE);
    }
    ~Compressor() {
        jpeg_destroy_compress(&info_);
        free(buffer_);
    }
    jpeg_compress_struct& info() { return info_; }
    jmp_buf& jump() { return trap_.jump; }
    Bytes take() const { return Bytes(buffer_, buffer_ + size_); }

private:
    ErrorTrap trap_{};
    jpeg_compress_struct info_{};
    unsigned char* buffer_ = nullptr;
    unsigned long size_ = 0;
};

void writeRows(jpeg_compress_struct& info, const Raster& r) {
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(r.at(0, static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
}

}  // namespace

Bytes encodeJpeg(const Raster& picture, int quality, const Bytes& app1) {
    Compressor c(quality, false);
    if (setjmp(c.jump())) return {};
    auto& info = c.info();
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    jpeg_start_compress(&info, TRUE);
    if (!app1.empty()) jpeg_write_marker(&info, JPEG_APP0 + 1, app1.data(), static_cast<unsigned>(app1.size()));
    writeRows(info, picture);
    jpeg_finish_compress(&info);
    return c.take();
}

Bytes TileCoder::tables() const {
    Compressor c(quality_, true);
    if (setjmp(c.jump())) return {};
    c.info().image_width = c.info().image_height = 64;
    jpeg_set_colorspace(&c.info(), JCS_YCbCr);
    jpeg_write_tables(&c.info());
    return c.take();
}

Bytes TileCoder::encode(const Raster& ycc64) const {
    Compressor c(quality_, true);
    if (setjmp(c.jump())) return {};
    auto& info = c.info();
    info.image_width = info.image_height = 64;
    jpeg_set_colorspace(&info, JCS_YCbCr);   // stores the samples as given, chroma subsampled 2:1
    jpeg_suppress_tables(&info, TRUE);
    jpeg_start_compress(&info, FALSE);
    writeRows(info, ycc64);
    jpeg_finish_compress(&info);
    return c.take();
}

std::optional<Raster> decodeJpeg(const uint8_t* data, size_t size, int minWidth) {
    ErrorTrap trap{};
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&trap.mgr);
    trap.mgr.error_exit = bailOut;
    jpeg_create_decompress(&info);
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = 1;
    while (info.scale_denom < 8 && minWidth > 0 &&
           static_cast<int>(info.image_width / (info.scale_denom * 2)) >= minWidth)
        info.scale_denom *= 2;
    jpeg_start_decompress(&info);
    Raster out(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.at(0, static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

}  // namespace pvsim
