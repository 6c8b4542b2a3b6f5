// Decoding benchmark: a 1152 x 864 PhotoYCC JPEG-tiled FlashPix picture decoded into a bottom-up
// 24-bit bitmap, against the same picture as one baseline JPEG decoded by libjpeg into a buffer,
// timed in the same run. Prints the ratio of the best times; the goal is at most 1.5. The two
// decodes take turns, so that a change in the machine's load while the program runs falls on
// both alike. The FlashPix decode is timed with the toolkit's decoding threads (one a
// processor) and again with one thread.
#include "FpxTestWriter.h"
#include "NIFError.h"
#include "NIFToolkit.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 1152, kHeight = 864, kRounds = 200;

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

// A decode that failed would be timed as a fast one: the benchmark ends instead.
void Require(int rc, const char* what) {
    if (rc == NIF_OK) return;
    const char* message = nullptr;
    NIFGetLastError(&message);
    std::fprintf(stderr, "%s failed with code %d: %s\n", what, rc, message ? message : "");
    std::exit(1);
}

NIFHandle* OpenFpx(const std::vector<uint8_t>& fpx) {
    NIFHandle* h = nullptr;
    long w, ht, kind;
    Require(NIFOpenImageFromMemory(fpx.data(), fpx.size(), &h, &w, &ht, &kind), "NIFOpenImageFromMemory");
    return h;
}

// Opening is part of the work: every round starts with an empty tile cache.
void DecodeFpx(const std::vector<uint8_t>& fpx, std::vector<uint8_t>& bits, int space = NIF_SPACE_RGB) {
    NIFHandle* h = OpenFpx(fpx);
    NIFDestination d = NIFDestinationForBitmap(bits.data(), kHeight, kWidth * 3);
    d.colorSpace = space;
    Require(NIFReadRegion(h, 0, 0, kWidth, kHeight, 5, &d, nullptr), "NIFReadRegion");
    Require(NIFCloseImage(h), "NIFCloseImage");
}

// The colour conversion of the same number of pixels alone, tile row by tile row from planes
// into the bitmap, as the decode does it.
void ConvertOnly(const NIFColorConv& conv, const std::vector<uint8_t>& planes, std::vector<uint8_t>& bits) {
    NIFDestination d = NIFDestinationForBitmap(bits.data(), kHeight, kWidth * 3);
    for (int ty = 0; ty < kHeight; ty += 64)
        for (int tx = 0; tx < kWidth; tx += 64)
            for (int y = 0; y < std::min(64, kHeight - ty); ++y) {
                NIFChannel out[3];
                for (int c = 0; c < 3; ++c)
                    out[c] = {d.channel[c].start + (ty + y) * d.channel[c].lineStride + tx * 3, 3, 0};
                conv.convertRow(planes.data() + y * 64, 64 * 64, 64, out);
            }
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) / f.QuadPart;
}

// The best time of each piece of work over the rounds, the pieces taking turns in each round.
template <size_t N>
std::array<double, N> BestSeconds(const std::array<std::function<void()>, N>& work) {
    std::array<double, N> best;
    best.fill(1e9);
    for (int round = 0; round < kRounds; ++round)
        for (size_t i = 0; i < N; ++i) {
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            work[i]();
            QueryPerformanceCounter(&b);
            best[i] = std::min(best[i], Seconds(a, b));
        }
    return best;
}

}  // namespace

void PrintRatio(const char* what, double plain, double tiled) {
    std::printf("baseline JPEG %.2f ms, FlashPix to bitmap %s %.2f ms, ratio %.2f (goal 1.5), best of %d rounds\n",
                plain * 1e3, what, tiled * 1e3, tiled / plain, kRounds);
}

int main() {
    const Picture scene = MakeScene(kWidth, kHeight);
    const std::vector<uint8_t> fpx = WriteFpx(scene, {});
    const std::vector<uint8_t> jpeg = BaselineJpeg(scene);
    std::vector<uint8_t> buffer(size_t(kWidth) * kHeight * 3);
    Require(NIFStartToolkit(), "NIFStartToolkit");
    std::vector<uint8_t> planes(3 * 64 * 64);
    for (size_t i = 0; i < planes.size(); ++i) planes[i] = uint8_t(i * 7 + i / 64);
    const NIFColorConv ycc(NIF_COCO_YCC_TO_RGB);
    const auto [plain, tiled, stored, opening, converting] = BestSeconds<5>({
        [&] { DecodeJpeg(jpeg, buffer); },
        [&] { DecodeFpx(fpx, buffer); },
        [&] { DecodeFpx(fpx, buffer, NIF_SPACE_PHOTOYCC); },
        [&] { Require(NIFCloseImage(OpenFpx(fpx)), "NIFCloseImage"); },
        [&] { ConvertOnly(ycc, planes, buffer); },
    });
    NIFStopToolkit();
    SetEnvironmentVariableW(L"PV_DECODE_THREADS", L"1");
    Require(NIFStartToolkit(), "NIFStartToolkit");
    const auto [plainAgain, oneThread] = BestSeconds<2>({
        [&] { DecodeJpeg(jpeg, buffer); },
        [&] { DecodeFpx(fpx, buffer); },
    });
    NIFStopToolkit();
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    std::printf("opening and closing alone %.2f ms, decoding without colour conversion %.2f ms, "
                "colour conversion alone %.2f ms\n",
                opening * 1e3, stored * 1e3, converting * 1e3);
    char threads[32];
    std::snprintf(threads, sizeof threads, "(%lu processors)", system.dwNumberOfProcessors);
    PrintRatio(threads, plain, tiled);
    PrintRatio("(one thread)", plainAgain, oneThread);
    return 0;
}
