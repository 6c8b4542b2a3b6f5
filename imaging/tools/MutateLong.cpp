// The long mutation run: imaging_mutate DIR [COUNT]. Feeds COUNT damaged variants (default
// 100000), spread over the FlashPix files of DIR, two JPEG-tiled pictures made here (PhotoYCC at
// the camera's size, monochrome with opacity with a tile decoded on its own) and the crafted
// property stream. Prints the tally and the process's peak working set; fails on a failure
// without a message, on a variant that runs longer than the time bound (a hang), and on a peak
// working set above the memory bound.
#include "FpxTestWriter.h"
#include "MutationRun.h"
#include "NIFToolkit.h"

#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr DWORD kVariantMilliseconds = 10000;
constexpr size_t kPeakWorkingSetBytes = size_t(256) << 20;

std::atomic<uint32_t> heartbeat{0};

size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return memory.PeakWorkingSetSize;
}

// Ends the process when one variant takes longer than the bound.
DWORD WINAPI Watchdog(void*) {
    for (uint32_t last = heartbeat.load();;) {
        Sleep(kVariantMilliseconds);
        const uint32_t now = heartbeat.load();
        if (now == last) {
            std::printf("HANG: variant %u ran longer than %lu ms\n", now, kVariantMilliseconds);
            std::fflush(stdout);
            ExitProcess(3);
        }
        last = now;
    }
}

std::vector<std::vector<uint8_t>> Seeds(const char* folder) {
    std::vector<std::vector<uint8_t>> seeds;
    for (const std::string& f : FpxFilesIn(std::string(folder) + "/")) seeds.push_back(ReadFileBytes(f));
    seeds.push_back(WriteFpx(MakeScene(640, 480), {}));
    FpxWriteOptions grey;
    grey.photoYcc = false;
    grey.monochrome = true;
    grey.ownTablesTile = 1;
    const Picture scene = MakeScene(200, 130);
    Picture withOpacity{scene.width, scene.height, 2, {}};
    for (size_t i = 0; i < scene.pixels.size(); i += 3) {
        withOpacity.pixels.push_back(scene.pixels[i] / 2);
        withOpacity.pixels.push_back(128);
    }
    seeds.push_back(WriteFpx(withOpacity, grey));
    seeds.push_back(CraftedPropertyFpx());
    return seeds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: imaging_mutate DIR [COUNT]\n");
        return 2;
    }
    const uint32_t count = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 100000;
    const std::vector<std::vector<uint8_t>> inputs = Seeds(argv[1]);
    std::printf("%zu seeds\n", inputs.size());
    NIFStartToolkit();
    CloseHandle(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));
    MutationTally tally;
    const uint32_t batch = 1000;
    const DWORD start = GetTickCount();
    for (uint32_t done = 0; done < count; done += batch) {
        RunMutations(inputs[(done / batch) % inputs.size()], 0xC0FFEE + done, batch, tally, &heartbeat);
        std::printf("%u variants, %u decoded, %u refused, %u unexplained, peak working set %lu KiB\n",
                    tally.variants, tally.decoded, tally.refused, tally.unexplained,
                    static_cast<unsigned long>(PeakWorkingSet() / 1024));
        std::fflush(stdout);
    }
    NIFStopToolkit();
    const size_t peak = PeakWorkingSet();
    const bool withinMemory = peak <= kPeakWorkingSetBytes;
    std::printf("done in %lu s, 0 hangs (bound %lu ms a variant), peak working set %lu KiB (bound %lu KiB)%s\n",
                (GetTickCount() - start) / 1000, kVariantMilliseconds,
                static_cast<unsigned long>(peak / 1024),
                static_cast<unsigned long>(kPeakWorkingSetBytes / 1024), withinMemory ? "" : ": OVER THE BOUND");
    return tally.unexplained || !withinMemory ? 1 : 0;
}
