// Decoding benchmark: a 1152 x 864 PhotoYCC JPEG-tiled FlashPix picture decoded into a bottom-up
// 24-bit bitmap, against the same picture as one baseline JPEG decoded by libjpeg into a buffer,
// timed in the same run. Prints the ratio; the goal is at most 1.5.
#include "FpxTestWriter.h"
#include "NIFToolkit.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 1152, kHeight = 864, kRounds = 30;

std::vector<uint8_t> BaselineJpeg(const Picture& p) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buf, &size);
    c.image_width = p.width, c.image_height = p.height, c.input_components = 3, c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(&p.pixels[size_t(c.next_scanline) * p.width * 3]);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(buf, buf + size);
    std::free(buf);
    return out;
}

void DecodeJpeg(const std::vector<uint8_t>& jpeg, std::vector<uint8_t>& out) {
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, jpeg.data(), jpeg.size());
    jpeg_read_header(&d, TRUE);
    jpeg_start_decompress(&d);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = &out[size_t(d.output_scanline) * kWidth * 3];
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
}

// Opening is part of the work: every round starts with an empty tile cache.
void DecodeFpx(const std::vector<uint8_t>& fpx, std::vector<uint8_t>& bits, int space = NIF_SPACE_RGB) {
    NIFHandle* h = nullptr;
    long w, ht, kind;
    NIFOpenImageFromMemory(fpx.data(), fpx.size(), &h, &w, &ht, &kind);
    NIFDestination d = NIFDestinationForBitmap(bits.data(), kHeight, kWidth * 3);
    d.colorSpace = space;
    NIFReadRegion(h, 0, 0, kWidth, kHeight, 5, &d, nullptr);
    NIFCloseImage(h);
}

template <typename F>
double BestSeconds(F work) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    double best = 1e9;
    for (int i = 0; i < kRounds; ++i) {
        QueryPerformanceCounter(&a);
        work();
        QueryPerformanceCounter(&b);
        best = std::min(best, double(b.QuadPart - a.QuadPart) / f.QuadPart);
    }
    return best;
}

}  // namespace

int main() {
    const Picture scene = MakeScene(kWidth, kHeight);
    const std::vector<uint8_t> fpx = WriteFpx(scene, {});
    const std::vector<uint8_t> jpeg = BaselineJpeg(scene);
    std::vector<uint8_t> buffer(size_t(kWidth) * kHeight * 3);
    NIFStartToolkit();
    const double plain = BestSeconds([&] { DecodeJpeg(jpeg, buffer); });
    const double tiled = BestSeconds([&] { DecodeFpx(fpx, buffer); });
    const double opening = BestSeconds([&] {
        NIFHandle* h = nullptr;
        long w, ht, kind;
        NIFOpenImageFromMemory(fpx.data(), fpx.size(), &h, &w, &ht, &kind);
        NIFCloseImage(h);
    });
    const double stored = BestSeconds([&] { DecodeFpx(fpx, buffer, NIF_SPACE_PHOTOYCC); });
    std::printf("opening and closing alone %.2f ms, decoding without colour conversion %.2f ms\n", opening * 1e3,
                stored * 1e3);
    NIFStopToolkit();
    std::printf("baseline JPEG %.2f ms, FlashPix to bitmap %.2f ms, ratio %.2f (goal 1.5)\n", plain * 1e3,
                tiled * 1e3, tiled / plain);
    return 0;
}
