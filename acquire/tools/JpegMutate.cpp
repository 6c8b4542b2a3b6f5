// The long mutation run of the JPEG readers: jpeg_mutate COUNT FILE.JPG... Feeds COUNT damaged
// variants (see JpegVariants.h) of the camera's JPEG files, a thousand of one file at a time,
// through the information reader of retrieval and the picture reader of the hand-over (with the
// four rotations and a cancel now and then). Prints the results of each reader by code, the
// longest variant and the peak working set; fails on a code that neither reader gives, a reading
// that claims success without a whole thumbnail, a damaged heap, a variant longer than the time
// bound (a hang, caught by a watchdog thread) and a peak working set above the memory bound.
#include "DecodeProgress.h"
#include "ErrorDisplay.h"
#include "GlobalMemory.h"
#include "JpegInformation.h"
#include "JpegPictureReader.h"
#include "JpegVariants.h"
#include "RetrievalCodes.h"
#include "ThumbnailPixels.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>

namespace {

using jpegmutate::Damage;
using jpegmutate::JpegVariants;

constexpr DWORD kVariantMilliseconds = 10000;
constexpr size_t kPeakWorkingSetBytes = size_t(192) << 20;
// A damaged frame may claim any size up to 65500 x 65500; the hand-over's bitmap is then made at
// the seed's size (which the reader refuses as a header problem) instead of a gigabyte block.
constexpr uint64_t kLargestBitmapPixels = 2048 * 2048;
constexpr uint32_t kBatch = 1000;

std::atomic<uint32_t> heartbeat{0};
std::atomic<bool> finished{false};

// Ends the process when one variant takes longer than the bound.
DWORD WINAPI Watchdog(void*) {
    for (uint32_t last = heartbeat.load(); !finished.load();) {
        Sleep(kVariantMilliseconds);
        const uint32_t now = heartbeat.load();
        if (now == last && !finished.load()) {
            std::printf("HANG: variant %u ran longer than %lu ms\n", now, kVariantMilliseconds);
            std::fflush(stdout);
            ExitProcess(3);
        }
        last = now;
    }
    return 0;
}

size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return memory.PeakWorkingSetSize;
}

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

// Says stop at one line (0: never).
class StopAt : public acquire::DecodeProgress {
public:
    explicit StopAt(long line) : line_(line) {}
    bool Continue(long, long done) noexcept override { return done != line_; }

private:
    long line_;
};

struct Seed {
    std::string name;
    std::unique_ptr<JpegVariants> variants;
    uint32_t width;
    uint32_t height;
};

struct Tally {
    uint32_t variants = 0;
    std::map<int, uint32_t> information;
    std::map<int, uint32_t> picture;
    uint32_t unexpected = 0;
    double slowest = 0;
    uint32_t slowestVariant = 0;
};

const std::set<int> kInformationCodes{0, acquire::kErrJpegData, acquire::kErrJpegHeader};
const std::set<int> kPictureCodes{0, acquire::kErrJpegData, acquire::kErrUnexpected, acquire::kErrCancelled,
                                  acquire::kErrNoMemory};

// Both readers on one variant, as retrieval and then the hand-over meet the file: the bitmap has
// the size the information reader found.
void RunVariant(const std::vector<uint8_t>& v, const Seed& seed, uint32_t n, Tally& tally) {
    acquire::PictureReading reading;
    const int information = acquire::ReadJpegInformation(v.data(), v.size(), &reading);
    ++tally.information[information];
    if (!kInformationCodes.count(information) ||
        (information == 0 && (reading.thumbnail.size() != acquire::kThumbBytes || !reading.width || !reading.height))) {
        std::printf("UNEXPECTED: variant %u: information code %d, %zu thumbnail bytes\n", n, information,
                    reading.thumbnail.size());
        ++tally.unexpected;
    }
    const bool claimed = information == 0 && uint64_t(reading.width) * reading.height <= kLargestBitmapPixels;
    acquire::PictureBitmap bitmap =
        acquire::PictureBitmap::Allocate(claimed ? reading.width : seed.width, claimed ? reading.height : seed.height,
                                         uint16_t(n % 4));
    StopAt progress(n % 16 == 5 ? long(1 + n % seed.height) : 0);
    const int picture = bitmap ? acquire::ReadJpegPicture(v.data(), v.size(), bitmap, &progress) : acquire::kErrNoMemory;
    ++tally.picture[picture];
    if (picture == 0) pv::GlobalBlock handed(bitmap.Finish());
    if (!kPictureCodes.count(picture)) {
        std::printf("UNEXPECTED: variant %u: picture code %d\n", n, picture);
        ++tally.unexpected;
    }
}

void RunBatch(const Seed& seed, uint32_t first, Tally& tally) {
    std::mt19937 random(0xC0FFEE + first);
    for (uint32_t n = first; n < first + kBatch; ++n) {
        ++heartbeat;
        const std::vector<uint8_t> v = seed.variants->Make(Damage(n % jpegmutate::kDamageKinds), random);
        const double start = Now();
        RunVariant(v.empty() ? std::vector<uint8_t>{0} : v, seed, n, tally);
        const double seconds = Now() - start;
        if (seconds > tally.slowest) tally.slowest = seconds, tally.slowestVariant = n;
        ++tally.variants;
    }
}

std::vector<uint8_t> ReadBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The camera's own files: a maker block with its thumbnail, and a picture that decodes whole.
std::vector<Seed> ReadSeeds(int count, char** paths) {
    std::vector<Seed> seeds;
    for (int i = 0; i < count; ++i) {
        std::vector<uint8_t> bytes = ReadBytes(paths[i]);
        acquire::PictureReading reading;
        if (acquire::ReadJpegInformation(bytes.data(), bytes.size(), &reading) || !reading.maker ||
            !reading.maker->thumbnailOffset) {
            std::printf("skipped %s: not a camera JPEG file\n", paths[i]);
            continue;
        }
        auto variants = std::make_unique<JpegVariants>(std::move(bytes));
        std::printf("seed %s: %u x %u, %zu bytes, %zu fields\n", paths[i], reading.width, reading.height,
                    variants->original().size(), variants->fields().size());
        seeds.push_back({paths[i], std::move(variants), reading.width, reading.height});
    }
    return seeds;
}

void PrintCodes(const char* reader, const std::map<int, uint32_t>& codes) {
    std::printf("%s:", reader);
    for (const auto& [code, times] : codes) std::printf(" %d x %u", code, times);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: jpeg_mutate COUNT FILE.JPG...\n");
        return 2;
    }
    const uint32_t count = uint32_t(std::strtoul(argv[1], nullptr, 10));
    const std::vector<Seed> seeds = ReadSeeds(argc - 2, argv + 2);
    if (seeds.empty()) return 2;
    pv::UniqueHandle watchdog(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));
    Tally tally;
    bool heapWhole = true;
    const double start = Now();
    for (uint32_t done = 0; done < count && heapWhole; done += kBatch) {
        RunBatch(seeds[(done / kBatch) % seeds.size()], done, tally);
        heapWhole = HeapValidate(GetProcessHeap(), 0, nullptr);
        if ((done + kBatch) % (10 * kBatch) == 0)
            std::printf("%u variants, %u unexpected, longest %.1f ms, peak working set %lu KiB\n", tally.variants,
                        tally.unexpected, tally.slowest * 1e3, static_cast<unsigned long>(PeakWorkingSet() / 1024));
        std::fflush(stdout);
    }
    finished = true;
    const size_t peak = PeakWorkingSet();
    const bool withinMemory = peak <= kPeakWorkingSetBytes;
    PrintCodes("information reader", tally.information);
    PrintCodes("picture reader", tally.picture);
    std::printf("%u variants of %zu files in %.0f s, %u unexpected, heap %s, 0 hangs (bound %lu ms a variant), "
                "longest variant %.1f ms (number %u), peak working set %lu KiB (bound %lu KiB)%s\n",
                tally.variants, seeds.size(), Now() - start, tally.unexpected, heapWhole ? "whole" : "DAMAGED",
                kVariantMilliseconds, tally.slowest * 1e3, tally.slowestVariant,
                static_cast<unsigned long>(peak / 1024), static_cast<unsigned long>(kPeakWorkingSetBytes / 1024),
                withinMemory ? "" : ": OVER THE BOUND");
    return tally.unexpected || !heapWhole || !withinMemory ? 1 : 0;
}
