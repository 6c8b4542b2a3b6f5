#include "CameraCommands.h"

#include "CardBackup.h"
#include "CardListing.h"
#include "ThumbnailBitmap.h"
#include "pvhost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace pvcam {
namespace {

bool Copy(CSerialCamera* camera, const std::string& path, const std::string& file) {
    BYTE* data = nullptr;
    DWORD size = 0;
    DWORD r = CameraReadPictureFile(camera, path.c_str(), &data, &size, nullptr, 0);
    bool ok = Report(path.c_str(), r);
    if (ok) {
        FILE* f = std::fopen(file.c_str(), "wb");
        ok = f && std::fwrite(data, 1, size, f) == size;
        if (f) std::fclose(f);
        std::printf("  %-40s %8lu bytes -> %s%s\n", path.c_str(), static_cast<unsigned long>(size), file.c_str(),
                    ok ? "" : " (could not write)");
    }
    FreeCameraBuffer(data);
    return ok;
}

int Status(CSerialCamera* camera) {
    auto byte = [&](DWORD offset) { return static_cast<unsigned>(CameraGetStatusByte(camera, offset)); };
    std::printf("model byte %u, battery %u, mains %u, zoom %u, quality %u, flash %u, exposure 0x%02X\n", byte(1),
                byte(8), byte(9), byte(16) & 15, byte(19), byte(20), byte(21));
    std::printf("resolution %u, format %u, self-timer %u, card %s\n", byte(22), byte(23), byte(29),
                byte(30) & 0x80 ? "inserted" : "absent");
    std::printf("pictures taken %lu; still fit: best %lu, better %lu, good %lu\n",
                static_cast<unsigned long>(CameraGetStatusWord(camera, 56)),
                static_cast<unsigned long>(CameraGetStatusWord(camera, 68)),
                static_cast<unsigned long>(CameraGetStatusWord(camera, 70)),
                static_cast<unsigned long>(CameraGetStatusWord(camera, 72)));
    return 0;
}

int ListCommand(CSerialCamera* camera, const std::string& path) {
    std::vector<Entry> entries;
    if (!List(camera, path, entries)) return 1;
    for (const Entry& e : entries)
        std::printf("  %-12s %s %10lu\n", e.name.c_str(), e.IsDirectory() ? "<DIR>" : "     ",
                    static_cast<unsigned long>(e.size));
    std::printf("%zu entries\n", entries.size());
    return 0;
}

int CopyAll(CSerialCamera* camera, const std::string& dir) {
    std::vector<Entry> top;
    if (!List(camera, kPictureDir, top)) return 1;
    int copied = 0, failed = 0;
    auto copyFrom = [&](const std::string& cameraDir, const std::vector<Entry>& entries) {
        for (const Entry& e : entries)
            if (!e.IsDirectory() && IsPicture(e.name))
                Copy(camera, cameraDir + "\\" + e.name, dir + "\\" + e.name) ? ++copied : ++failed;
    };
    CameraBeginFileAccess(camera);
    copyFrom(kPictureDir, top);
    for (const Entry& e : top) {
        if (!e.IsAlbum()) continue;
        std::vector<Entry> album;
        std::string albumPath = std::string(kPictureDir) + "\\" + e.name;
        if (List(camera, albumPath, album)) copyFrom(albumPath, album);
    }
    CameraEndFileAccess(camera);
    std::printf("%d pictures copied, %d failed\n", copied, failed);
    return failed ? 1 : 0;
}

int Thumbnail(CSerialCamera* camera, DWORD number, const std::string& file) {
    BYTE* thumb = nullptr;
    DWORD r = CameraReadThumbnailByNumber(camera, number, &thumb, nullptr, 0);
    bool ok = Report("thumbnail", r) && WriteThumbnailBitmap(thumb, file);
    FreeCameraBuffer(thumb);
    if (ok) std::printf("thumbnail of picture %lu -> %s\n", static_cast<unsigned long>(number), file.c_str());
    return ok ? 0 : 1;
}

int SetClockToNow(CSerialCamera* camera) {
    SYSTEMTIME epoch = {1997, 1, 3, 1, 0, 0, 0, 0}, now;
    GetLocalTime(&now);
    FILETIME e, n;
    SystemTimeToFileTime(&epoch, &e);
    SystemTimeToFileTime(&now, &n);
    ULONGLONG ticks = (ULARGE_INTEGER{{n.dwLowDateTime, n.dwHighDateTime}}.QuadPart -
                       ULARGE_INTEGER{{e.dwLowDateTime, e.dwHighDateTime}}.QuadPart);
    DWORD clock = static_cast<DWORD>(ticks / 5000000);
    if (!Report("setting the clock", CameraSetClock(camera, clock))) return 1;
    std::printf("camera clock set to %lu half seconds since 1997\n", static_cast<unsigned long>(clock));
    return 0;
}

}  // namespace

int RunCommand(CSerialCamera* camera, int argc, char** argv) {
    std::string command = argv[0];
    if (command == "status" && argc == 1) return Status(camera);
    if (command == "list" && argc == 2) return ListCommand(camera, argv[1]);
    if (command == "copy" && argc == 3) return Copy(camera, argv[1], argv[2]) ? 0 : 1;
    if (command == "copyall" && argc == 2) return CopyAll(camera, argv[1]);
    if (command == "backup" && (argc == 2 || (argc == 3 && !std::strcmp(argv[2], "--erase-after"))))
        return RunBackup(camera, argv[1], argc == 3);
    if (command == "thumb" && argc == 3) return Thumbnail(camera, std::strtoul(argv[1], nullptr, 10), argv[2]);
    if (command == "take" && argc == 1) return Report("taking a picture", CameraTakePicture(camera)) ? 0 : 1;
    if (command == "clock" && argc == 1) return SetClockToNow(camera);
    std::fprintf(stderr, "pvcam: unknown command or arguments: %s\n", command.c_str());
    return 2;
}

}  // namespace pvcam
