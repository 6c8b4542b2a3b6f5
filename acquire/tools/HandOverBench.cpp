// Hand-over benchmark: handover_bench FILE.JPG [ROUNDS]. The hand-over of a camera JPEG file on
// disk (the file read whole, the bitmap block made, the picture decoded into it) against
// libjpeg-turbo decoding the same file, held in memory, into a buffer of its own, timed in the same
// run with the two taking turns (best and median of ROUNDS, default 200; goal: at most 1.15). The
// hand-over's pieces are timed beside them: the file read alone and the picture reader decoding
// into a bitmap made once. Before any of that, one buffered memory transfer as the data source
// makes it (the hand-over, the bitmap turned in place, strips of 100 rows into the application's
// buffer): the rise of its peak private bytes (the working set's where the system answers 0 for
// private bytes) against the bitmap's size; goal: at most the file + the bitmap + 2 MiB.
#include "GlobalMemory.h"
#include "ImageDescription.h"
#include "JpegPictureReader.h"
#include "MemoryStripState.h"
#include "PictureData.h"
#include "PictureHandOver.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include <jpeglib.h>

namespace {

constexpr int kDefaultRounds = 200;
constexpr size_t kAllowance = size_t(2) << 20;
constexpr uint32_t kStripRows = 100;

[[noreturn]] void Fail(const char* what, int code) {
    std::fprintf(stderr, "%s failed with code %d\n", what, code);
    std::exit(1);
}

// libjpeg alone: the file in memory decoded into top-down rows of red, green, blue. libjpeg's own
// error handler ends the program on a damaged file.
// Into out (resized to fit), or into a new block for each decode when out is null.
void DecodeAlone(const std::vector<uint8_t>& jpeg, std::vector<uint8_t>* out, uint32_t* width, uint32_t* height) {
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&d, TRUE);
    jpeg_start_decompress(&d);
    *width = d.output_width, *height = d.output_height;
    const size_t bytes = size_t(d.output_width) * d.output_height * 3;
    std::unique_ptr<uint8_t[]> fresh(out ? nullptr : new uint8_t[bytes]);
    if (out) out->resize(bytes);
    uint8_t* pixels = out ? out->data() : fresh.get();
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = pixels + size_t(d.output_scanline) * d.output_width * 3;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
}

pv::GlobalBlock HandOver(const acquire::PictureEntry& entry) {
    HGLOBAL bitmap = nullptr;
    if (int result = acquire::HandOverPicture({&entry, nullptr, true, nullptr, nullptr}, &bitmap))
        Fail("HandOverPicture", result);
    return pv::GlobalBlock(bitmap);
}

// A hand-over that decoded something else would be timed as a fast one.
void RequireSamePicture(const pv::GlobalBlock& bitmap, const std::vector<uint8_t>& topDown, uint32_t width,
                        uint32_t height) {
    pv::LockedGlobal locked(bitmap.get());
    const uint8_t* bits = locked.as<uint8_t>() + sizeof(BITMAPINFOHEADER);
    const size_t stride = acquire::PictureBitmap::StrideOf(width);
    size_t differing = 0;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width * 3; x += 3) {
            const uint8_t* stored = bits + (height - 1 - y) * stride + x;
            const uint8_t* rgb = &topDown[(size_t(y) * width) * 3 + x];
            differing += stored[0] != rgb[2] || stored[1] != rgb[1] || stored[2] != rgb[0];
        }
    if (differing) Fail("the hand-over's picture against libjpeg's (differing pixels)", int(differing));
}

struct Memory {
    size_t workingSet, peakWorkingSet, privateBytes, pagefile, peakPagefile;
};

Memory MemoryNow() {
    PROCESS_MEMORY_COUNTERS_EX m{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    return {m.WorkingSetSize, m.PeakWorkingSetSize, m.PrivateUsage, m.PagefileUsage, m.PeakPagefileUsage};
}

void PrintMemory(const char* when, const Memory& m) {
    std::printf("  %s: working set %zu KiB (peak %zu KiB), private bytes %zu KiB, page file %zu KiB (peak %zu KiB)\n",
                when, m.workingSet / 1024, m.peakWorkingSet / 1024, m.privateBytes / 1024, m.pagefile / 1024,
                m.peakPagefile / 1024);
}

// One buffered memory transfer of the entry's picture, as the data source runs it; the strips.
uint32_t MemoryTransfer(const acquire::PictureEntry& entry, std::vector<uint8_t>& strip) {
    TW_IMAGEINFO info{};
    info.ImageWidth = TW_INT32(entry.width);
    info.ImageLength = TW_INT32(entry.height);
    info.SamplesPerPixel = 3;
    info.BitsPerPixel = 24;
    info.PixelType = TWPT_RGB;
    std::unique_ptr<source::MemoryStripState> strips;
    if (source::Code begun = source::MemoryStripState::Begin(HandOver(entry), info, &strips))
        Fail("MemoryStripState::Begin", begun);
    TW_IMAGEMEMXFER transfer{};
    for (uint32_t n = 1; n <= entry.height; ++n) {
        transfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, TW_UINT32(strip.size()), strip.data()};
        if (strips->Deliver(&transfer) == source::kXferDone) return n;
    }
    Fail("the memory transfer (strips without end)", 0);
}

void ReportMemory(const acquire::PictureEntry& entry, size_t fileBytes) {
    std::vector<uint8_t> strip(size_t(acquire::PictureBitmap::StrideOf(entry.width)) * kStripRows, 1);
    const Memory before = MemoryNow();
    const uint32_t strips = MemoryTransfer(entry, strip);
    const Memory after = MemoryNow();
    // Peak private bytes are the page file's peak (the commit charge); a system that answers 0
    // for private bytes is measured by its working set's peak.
    const bool privateAnswered = before.privateBytes != 0 && after.privateBytes != 0;
    const size_t rise = privateAnswered ? after.peakPagefile - before.pagefile : after.peakWorkingSet - before.workingSet;
    const size_t bitmap = sizeof(BITMAPINFOHEADER) + size_t(acquire::PictureBitmap::StrideOf(entry.width)) * entry.height;
    const size_t goal = fileBytes + bitmap + kAllowance;
    std::printf("memory transfer: %u strips of %u rows; private bytes %s; peak %s rise %zu KiB; bitmap %zu KiB, "
                "ratio %.2f; goal (file %zu KiB + bitmap + 2 MiB) %zu KiB, ratio %.2f (goal 1.00)%s\n",
                strips, kStripRows, privateAnswered ? "answered" : "answered 0, working set measured",
                privateAnswered ? "private bytes" : "working set", rise / 1024, bitmap / 1024,
                double(rise) / double(bitmap), fileBytes / 1024, goal / 1024, double(rise) / double(goal),
                rise <= goal ? "" : ": GOAL MISSED");
    PrintMemory("before", before);
    PrintMemory("after", after);
}

// What a new bitmap costs before any decoding: a zero-filled movable block whose pages are
// written for the first time, then freed.
void TouchNewBlock(size_t bytes) {
    pv::GlobalBlock block = pv::GlobalBlock::alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    pv::LockedGlobal locked(block.get());
    if (!locked) Fail("GlobalAlloc", 0);
    volatile uint8_t* bytesOf = locked.as<uint8_t>();
    for (size_t at = 0; at < bytes; at += 4096) bytesOf[at] = 1;
}

double Seconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

struct Timing {
    double best;
    double median;
};

// Each piece of work once a round, in turns, so that the machine's changing load falls on all.
template <size_t N>
std::array<Timing, N> Time(const std::array<std::function<void()>, N>& work, int rounds) {
    std::array<std::vector<double>, N> times;
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < N; ++i) {
            const double start = Seconds();
            work[i]();
            times[i].push_back(Seconds() - start);
        }
    std::array<Timing, N> timings;
    for (size_t i = 0; i < N; ++i) {
        std::sort(times[i].begin(), times[i].end());
        timings[i] = {times[i].front(), times[i][times[i].size() / 2]};
    }
    return timings;
}

void PrintTiming(const char* what, const Timing& t, const Timing& baseline) {
    std::printf("  %-40s best %7.2f ms  median %7.2f ms  ratio %.2f / %.2f\n", what, t.best * 1e3, t.median * 1e3,
                t.best / baseline.best, t.median / baseline.median);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: handover_bench FILE.JPG [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
    std::vector<uint8_t> file;
    if (int read = acquire::ReadPictureFile(argv[1], &file)) Fail("ReadPictureFile", read);
    std::vector<uint8_t> alone;
    acquire::PictureEntry entry;
    entry.source = acquire::PictureEntry::Source::kDisk;
    entry.name = argv[1];
    DecodeAlone(file, &alone, &entry.width, &entry.height);
    std::printf("%s: %u x %u, %zu bytes\n", argv[1], entry.width, entry.height, file.size());
    ReportMemory(entry, file.size());
    RequireSamePicture(HandOver(entry), alone, entry.width, entry.height);

    acquire::PictureBitmap kept = acquire::PictureBitmap::Allocate(entry.width, entry.height, 0);
    std::vector<uint8_t> reread;
    const size_t blockBytes = sizeof(BITMAPINFOHEADER) + size_t(kept.stride()) * entry.height;
    const auto [baseline, freshBaseline, handOver, reading, block, decoding] = Time<6>(
        {
            [&] { DecodeAlone(file, &alone, &entry.width, &entry.height); },
            [&] { DecodeAlone(file, nullptr, &entry.width, &entry.height); },
            [&] { HandOver(entry); },
            [&] {
                if (int read = acquire::ReadPictureFile(entry.name, &reread)) Fail("ReadPictureFile", read);
            },
            [&] { TouchNewBlock(blockBytes); },
            [&] {
                if (int decoded = acquire::ReadJpegPicture(file.data(), file.size(), kept, nullptr))
                    Fail("ReadJpegPicture", decoded);
            },
        },
        rounds);
    std::printf("times over %d rounds (ratio to libjpeg alone: best / median):\n", rounds);
    PrintTiming("libjpeg-turbo alone, into one buffer", baseline, baseline);
    PrintTiming("libjpeg-turbo alone, into a new buffer", freshBaseline, baseline);
    PrintTiming("hand-over (read, bitmap, decode)", handOver, baseline);
    PrintTiming("  its file read alone", reading, baseline);
    PrintTiming("  a new bitmap block, each page written", block, baseline);
    PrintTiming("  its reader into a bitmap made once", decoding, baseline);
    std::printf("hand-over ratio %.2f (best), %.2f (median) against libjpeg into one buffer; %.2f, %.2f against "
                "libjpeg into a new buffer (goal 1.15)%s\n",
                handOver.best / baseline.best, handOver.median / baseline.median, handOver.best / freshBaseline.best,
                handOver.median / freshBaseline.median, handOver.best / baseline.best <= 1.15 ? "" : ": GOAL MISSED");
    return 0;
}
