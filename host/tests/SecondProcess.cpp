// Another process using the same camera: hostproc ROUNDS lists the card and reads the status
// ROUNDS times and exits with the number of operations that failed.
#include "pvhost.h"

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) return 100;
    int rounds = std::atoi(argv[1]), failures = 0;
    try {
        CSerialCamera* camera = OpenCamera(0, 115200, 1, nullptr, 0);
        if (!camera) return 101;
        for (int i = 0; i < rounds; ++i) {
            BYTE* entries = nullptr;
            DWORD count = 0;
            failures += CameraListDirectory(camera, "\\PCCARD\\DCIMAGES", &entries, &count) != 0;
            FreeCameraBuffer(entries);
            failures += CameraReadStatus(camera) != 0;
        }
        DestroyCamera(camera);
    } catch (const MounterException&) {
        return 102;
    }
    return failures;
}
