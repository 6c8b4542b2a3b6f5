// pvhold: keeps a file in use, as a running program would, until told to let go.
//   pvhold [--exclusive] FILE RELEASE_FILE [SECONDS]
// Loads FILE as a library (or, with --exclusive, opens it sharing nothing, as a program that
// scans or writes it would), writes "holding" to standard output and waits until RELEASE_FILE
// exists (at most SECONDS, 600 unless given). Exit code 0 when released, 1 when FILE could not be
// taken, 2 when the wait ran out.
#include "UniqueHandle.h"
#include "UniqueModule.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool WaitForRelease(const char* releaseFile, long seconds) {
    for (long tenths = 0; tenths < seconds * 10; ++tenths) {
        if (GetFileAttributesA(releaseFile) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(100);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const bool exclusive = argc > 1 && std::strcmp(argv[1], "--exclusive") == 0;
    char** args = argv + (exclusive ? 2 : 1);
    const int count = argc - (exclusive ? 2 : 1);
    if (count < 2) {
        std::fprintf(stderr, "usage: pvhold [--exclusive] FILE RELEASE_FILE [SECONDS]\n");
        return 1;
    }
    pv::UniqueModule library;
    pv::UniqueHandle file;
    if (exclusive)
        file = pv::UniqueHandle(CreateFileA(args[0], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    else
        library = pv::UniqueModule::load(args[0]);
    if (!library && !file) {
        std::fprintf(stderr, "pvhold: %s could not be taken (error %lu)\n", args[0], GetLastError());
        return 1;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    const long seconds = count > 2 ? std::strtol(args[2], nullptr, 10) : 600;
    if (WaitForRelease(args[1], seconds)) return 0;
    std::fprintf(stderr, "pvhold: %s did not appear within %ld s\n", args[1], seconds);
    return 2;
}
