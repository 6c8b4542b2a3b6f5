// The long mutation run: imaging_mutate DIR [COUNT]. Feeds COUNT damaged variants (default
// 100000), spread over the FlashPix files of DIR and a JPEG-tiled picture made here, and prints
// the tally and the process's peak memory.
#include "FpxTestWriter.h"
#include "MutationRun.h"
#include "NIFToolkit.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: imaging_mutate DIR [COUNT]\n");
        return 2;
    }
    const uint32_t count = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 100000;
    std::vector<std::vector<uint8_t>> inputs;
    for (const std::string& f : FpxFilesIn(std::string(argv[1]) + "/")) inputs.push_back(ReadFileBytes(f));
    inputs.push_back(WriteFpx(MakeScene(640, 480), {}));
    NIFStartToolkit();
    MutationTally tally;
    const uint32_t batch = 1000;
    const DWORD start = GetTickCount();
    for (uint32_t done = 0; done < count; done += batch) {
        RunMutations(inputs[(done / batch) % inputs.size()], 0xC0FFEE + done, batch, tally);
        std::printf("%u variants, %u decoded, %u refused, %u unexplained\n", tally.variants, tally.decoded,
                    tally.refused, tally.unexplained);
        std::fflush(stdout);
    }
    NIFStopToolkit();
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("done in %lu s, peak working set %lu KiB\n", (GetTickCount() - start) / 1000,
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
    return tally.unexplained ? 1 : 0;
}
