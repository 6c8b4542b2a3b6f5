#include "RetrievalLoop.h"

#include "DiskPicture.h"
#include "ErrorDisplay.h"
#include "PvresIds.h"
#include "PvresModule.h"
#include "RetrievalCodes.h"
#include "RetrievalProgress.h"
#include "WaitCursor.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace acquire {
namespace {

constexpr size_t kLongestNameShown = 230;

int RetrieveCameraPicture(const SourceEntry& source, PvConnection* camera, PictureEntry* picture) {
    if (!camera) return kErrCommunication;
    try {
        picture->thumbnail.assign(kPvThumbnailBytes, 0);
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
    const int32_t request[3] = {0, source.request[0], source.request[1]};
    picture->information = {};
    if (int16_t status = PV360_GetCameraPictInfo(camera, source.picture, kPvKindThumbnail, request,
                                                 &picture->information, picture->thumbnail.data()))
        return status;
    picture->source = PictureEntry::Source::kCamera;
    picture->cameraNumber = source.picture;
    picture->name = source.name;
    picture->width = picture->information.width;
    picture->height = picture->information.height;
    return 0;
}

int RetrieveDiskPicture(const SourceEntry& source, PictureEntry* picture) {
    PictureReading reading;
    uint32_t byteCount = 0;
    if (int code = ReadDiskPicture(source.name, &reading, &byteCount)) return code;
    picture->source = PictureEntry::Source::kDisk;
    picture->name = source.name;
    picture->information = {};
    picture->information.fileFormat = uint8_t(reading.format);
    picture->information.byteCount = byteCount;
    picture->information.width = uint16_t(std::min<uint32_t>(reading.width, 0xFFFF));
    picture->information.height = uint16_t(std::min<uint32_t>(reading.height, 0xFFFF));
    picture->information.number = source.picture;
    picture->width = reading.width;
    picture->height = reading.height;
    picture->colour = reading.colour;
    picture->thumbnail = std::move(reading.thumbnail);
    return 0;
}

}  // namespace

int RetrieveEntry(const SourceEntry& source, PvConnection* camera, PictureEntry* picture) {
    return source.camera ? RetrieveCameraPicture(source, camera, picture) : RetrieveDiskPicture(source, picture);
}

void ShowUnreadableFile(const std::string& name, HWND owner) {
    if (name.size() >= kLongestNameShown) return;
    char text[300];
    snprintf(text, sizeof text, PvresString(IDS_PV_UNREADABLE_FILE, "Unable to read the file: %s.").c_str(), name.c_str());
    std::string message = text + PvresString(IDS_PV_UNREADABLE_HINT);
    MessageBeep(MB_OK);
    MessageBoxA(owner, message.c_str(), PvresString(IDS_PV_TITLE_UNREADABLE, "Unreadable File Type").c_str(),
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

int RetrieveAll(const RetrievalRun& run) {
    WaitCursor hourglass;
    std::vector<std::string>& sources = *run.sources;
    run.pictures->clear();
    RetrievalProgress progress(run.owner);
    const size_t count = sources.size();
    size_t at = 0;   // the entry's place in the source list, which loses the unreadable ones
    int code = 0;
    for (size_t step = 0; step < count; ++step) {
        if (!progress.Step(int(step * 100 / count), RetrievalProgress::GettingCaption(step + 1, count))) {
            code = kErrCancelled;
            break;
        }
        SourceEntry source;
        PictureEntry picture;
        code = ParseSourceEntry(sources[at], int32_t(at + 1), &source) ? RetrieveEntry(source, run.camera, &picture)
                                                                        : kErrUnexpected;
        if (code == 0) {
            run.pictures->push_back(std::move(picture));
            ++at;
        } else if (code == kErrUnreadableFile) {
            ShowUnreadableFile(source.name, run.owner);
            sources.erase(sources.begin() + ptrdiff_t(at));
        } else {
            break;
        }
    }
    progress.Finish();
    return code == kErrUnreadableFile ? kErrUserCancelled : code;
}

}  // namespace acquire
