// pvcam: the camera from the command line, over pvhost.
//   pvcam [--port N] [--speed BAUD] COMMAND ...
//     status                 the camera's status record, decoded
//     list PATH              a camera directory
//     copy PATH FILE         one camera file to a local file
//     copyall DIR            every picture of the card (albums included) into DIR
//     backup DIR [--erase-after]
//                            the card into DIR, albums as sub-folders, resumable, verified, with a
//                            manifest; exit 0 done, 3 partly done, 1 failed
//     thumb NUMBER FILE.bmp  a picture's thumbnail as a bitmap
//     take                   take a picture
//     clock                  set the camera clock to this computer's time
#include "CameraCommands.h"
#include "pvhost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

DWORD CALLBACK ShowStep(ULONG_PTR, DWORD text, DWORD, DWORD state) {
    static const char* names[] = {"open the port", "reset the camera", "change the speed", "read the status"};
    if (text >= 586 && text <= 589 && state != kStepAnnounced)
        std::printf("  %-18s %s\n", names[text - 586], state == kStepDone ? "done" : "FAILED");
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: pvcam [--port N] [--speed BAUD] status|list PATH|copy PATH FILE|"
                         "copyall DIR|backup DIR [--erase-after]|thumb NUMBER FILE.bmp|take|clock\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    DWORD port = 0, speed = 115200;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        if (!std::strcmp(argv[i], "--port")) port = std::strtoul(argv[i + 1], nullptr, 10) - 1;
        else if (!std::strcmp(argv[i], "--speed")) speed = std::strtoul(argv[i + 1], nullptr, 10);
        else return Usage();
    }
    if (i >= argc) return Usage();
    std::printf("connecting to the camera on COM%lu at %lu baud\n", port + 1, speed);
    try {
        CSerialCamera* camera = OpenCamera(port, speed, 1, ShowStep, 0);
        if (!camera) return 1;
        int rc = pvcam::RunCommand(camera, argc - i, argv + i);
        DestroyCamera(camera);
        return rc;
    } catch (const MounterException& e) {
        char text[256];
        e.GetErrorText(text, sizeof text);
        std::printf("the camera could not be reached:\n%s\n", text);
        return 1;
    }
}
