// pvtwain: a TWAIN application on the command line, for scripts. Through the source manager it
// opens the camera's data source, enables it without its dialog (the source then connects and
// offers the camera's first picture), and takes the picture by file transfer into a BMP file.
//   pvtwain OUT.bmp
// The manager is the project's own TWAIN_32.DLL beside this program (DLL override twain_32=n).
// Exit code 0 with the file written; the output gives the picture's size and the file.
#include "TwainApplication.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr char kProductName[] = "ORVIK PV350/PV360 Zoom Acquire";
constexpr DWORD kReadyLimitMs = 120000;

bool Ready(twaintest::TwainApplication& app) {
    for (const TestDsmNotification& n : app.RunUntilNotified(kReadyLimitMs))
        if (n.message == MSG_XFERREADY) return true;
    return false;
}

int Acquire(twaintest::TwainApplication& app, const std::string& file) {
    TW_USERINTERFACE ui{FALSE, FALSE, app.window()};
    if (app.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS) {
        std::fprintf(stderr, "pvtwain: the source could not be enabled (condition %u)\n", app.ConditionCode());
        return 1;
    }
    if (!Ready(app)) {
        std::fprintf(stderr, "pvtwain: the source offered no picture\n");
        return 1;
    }
    TW_IMAGEINFO info{};
    TW_SETUPFILEXFER setup{};
    std::snprintf(setup.FileName, sizeof setup.FileName, "%s", file.c_str());
    setup.Format = TWFF_BMP;
    if (app.Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) != TWRC_SUCCESS ||
        app.Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup) != TWRC_SUCCESS) {
        std::fprintf(stderr, "pvtwain: the file transfer could not be set up (condition %u)\n", app.ConditionCode());
        return 1;
    }
    TW_UINT16 done = app.Send(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr);
    TW_PENDINGXFERS pending{};
    app.Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
    app.Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
    if (done != TWRC_XFERDONE) {
        std::fprintf(stderr, "pvtwain: the transfer failed (return %u, condition %u)\n", done, app.ConditionCode());
        return 1;
    }
    std::printf("picture %ld x %ld, %d bits -> %s\n", static_cast<long>(info.ImageWidth),
                static_cast<long>(info.ImageLength), info.BitsPerPixel, file.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pvtwain OUT.bmp\n");
        return 2;
    }
    twaintest::TwainApplication app;
    if (!app.loaded() || app.OpenManager() != TWRC_SUCCESS) {
        std::fprintf(stderr, "pvtwain: the source manager TWAIN_32.DLL beside pvtwain could not be opened\n");
        return 3;
    }
    if (app.OpenSource(kProductName) != TWRC_SUCCESS) {
        std::fprintf(stderr, "pvtwain: the source \"%s\" is not installed\n", kProductName);
        app.CloseManager();
        return 3;
    }
    int result = Acquire(app, argv[1]);
    app.CloseSource();
    app.CloseManager();
    return result;
}
