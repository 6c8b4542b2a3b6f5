// The seven calls of pvcamsdk.dll.
#include "CameraSessions.h"
#include "MakerNote.h"
#include "MosaicThumbnail.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

using CameraBuffer = pv::LibraryPtr<BYTE, FreeCameraBuffer>;
using PictureInfoRecord = pv::LibraryPtr<CPictureInfo, FreePictureInfo>;

constexpr DWORD kModelOffset = 90, kModelLength = 32;
constexpr DWORD kMakerHeadBytes = 512;   // the maker block lies within the file's first packet

template <typename T>
bool Writable(T* p, size_t size = sizeof(T)) { return p && !IsBadWritePtr(p, size); }

BYTE StatusByte(CSerialCamera* camera, DWORD offset) { return BYTE(CameraGetStatusByte(camera, offset)); }

int32_t CameraType(CSerialCamera* camera) { return StatusByte(camera, 1) == 3 ? kPvCameraTypePV350 : kPvCameraTypePV360; }

int16_t ReadStatus(CameraSession* session) { return StatusOf(CameraReadStatus(session->camera.get())); }

int32_t SignedHalfSteps(BYTE value) { return value & 0x80 ? -int32_t(value & 0x7F) : int32_t(value); }

// The pictures that still fit at the camera's current quality (1 best, 2 better, 3 good).
uint16_t PicturesFree(CSerialCamera* camera) {
    BYTE quality = std::clamp<BYTE>(StatusByte(camera, 19), 1, 3);
    return uint16_t(CameraGetStatusWord(camera, 68 + 2 * (quality - 1)));
}

void FillCameraBlock(CSerialCamera* camera, PvCameraBlock* block) {
    *block = {};
    block->cameraType = CameraType(camera);
    block->quality = StatusByte(camera, 19);
    block->resolution = StatusByte(camera, 22);
    block->flashMode = StatusByte(camera, 20);
    block->fileFormat = StatusByte(camera, 23);
    block->zoom = block->cameraType == kPvCameraTypePV360 ? StatusByte(camera, 16) & 0x0F : -1;
    block->pictureCount = int16_t(CameraGetStatusWord(camera, 56));
    block->newestPicture = uint16_t(std::max<int16_t>(block->pictureCount, 0));
    block->picturesFree = PicturesFree(camera);
}

void FillStatusRecord(CameraSession* session, PvStatusRecord* status) {
    CSerialCamera* camera = session->camera.get();
    BYTE card = StatusByte(camera, 30);
    *status = {};
    status->battery = std::min<BYTE>(StatusByte(camera, 8), 2);
    status->acAdapter = StatusByte(camera, 9) != 0;
    status->cardPresent = (card & 0x80) != 0;
    status->cardFormatted = status->cardPresent && !(card & 0x40);
    status->pictureCount = int16_t(CameraGetStatusWord(camera, 56));
    status->cameraType = CameraType(camera);
    status->speedInUse = int32_t(session->baud);
}

// The camera clock as local time text.
void ClockText(uint32_t clock, char* text, size_t size) {
    std::tm start{};
    start.tm_year = 97;
    start.tm_mday = 1;
    start.tm_isdst = -1;
    std::time_t seconds = std::mktime(&start) + std::time_t(clock / 2);
    std::tm local{};
    if (const std::tm* t = std::localtime(&seconds)) local = *t;
    std::snprintf(text, size, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

// The card is the usual reason a file command fails; the status says whether it is there.
int16_t FileStatus(CameraSession* session, DWORD result) {
    if (result == kCamOk) return kPvOk;
    if (result == kCamCameraError && ReadStatus(session) == kPvOk) {
        BYTE card = StatusByte(session->camera.get(), 30);
        if (!(card & 0x80)) return kPvNoCard;
        if (card & 0x40) return kPvCardUnformatted;
    }
    return StatusOf(result);
}

int16_t ReadPictures(CameraSession* session) {
    DWORD result = ReadPictureTable(session->camera.get(), &session->pictures);
    session->picturesRead = result == kCamOk;
    return FileStatus(session, result);
}

const CameraPicture* PictureNamed(const CameraSession& session, const char* name) {
    for (const CameraPicture& picture : session.pictures)
        if (_stricmp(picture.name.c_str(), name) == 0) return &picture;
    return nullptr;
}

void FillFromMakerNote(CameraSession* session, const CameraPicture& picture, PvPictureInfo* info) {
    info->zoom = -2;
    if (info->fileFormat != 3) return;
    CameraBuffer head;
    DWORD length = 0;
    DWORD want = std::min<DWORD>(kMakerHeadBytes, picture.size);
    if (want == 0 || CameraReadFileHead(session->camera.get(), picture.path.c_str(), want, head.put(), &length) != kCamOk)
        return;
    if (auto note = ReadMakerNote(head.get(), length)) {
        info->cameraType = note->cameraType;
        info->flashUsed = note->flashUsed;
        info->apertureTenths = note->apertureTenths;
        info->exposureMicroseconds = note->exposureMicroseconds;
        info->zoom = note->zoom;
    }
}

int16_t FillPictureInfo(CameraSession* session, int32_t number, PvPictureInfo* info) {
    CSerialCamera* camera = session->camera.get();
    PictureInfoRecord record;
    DWORD result = CameraBeginFileAccess(camera);
    if (result == kCamOk) result = CameraReadPictureInfoByNumber(camera, DWORD(number - 1), record.put());
    CameraEndFileAccess(camera);
    if (result == kCamRejected) return kPvNoSuchPicture;
    if (int16_t status = FileStatus(session, result)) return status;
    const BYTE* bytes = record->record;
    char name[14] = {};
    std::memcpy(name, bytes + 32, 13);
    if (!session->picturesRead || !PictureNamed(*session, name)) {
        if (int16_t status = ReadPictures(session)) return status;
    }
    const CameraPicture* picture = PictureNamed(*session, name);
    if (!picture) return kPvNoSuchPicture;
    std::strncpy(info->name, picture->name.c_str(), sizeof info->name - 1);
    std::string extension = picture->name.substr(picture->name.size() - 3);
    info->fileFormat = _stricmp(extension.c_str(), "FPX") == 0 ? 4 : 3;
    info->resolution = bytes[3];
    info->quality = bytes[4];
    info->width = info->resolution == 1 ? 1152 : 640;
    info->height = info->resolution == 1 ? 864 : 480;
    info->byteCount = picture->size;
    info->taken = DWORD(bytes[12]) << 24 | DWORD(bytes[13]) << 16 | DWORD(bytes[14]) << 8 | bytes[15];
    info->number = number;
    info->memory = 1;
    FillFromMakerNote(session, *picture, info);
    return kPvOk;
}

int16_t ReadThumbnail(CameraSession* session, int32_t number, BYTE* thumbnail) {
    CameraBuffer mosaic;
    CSerialCamera* camera = session->camera.get();
    DWORD result = CameraBeginFileAccess(camera);
    if (result == kCamOk) result = CameraReadThumbnailByNumber(camera, DWORD(number - 1), mosaic.put(), nullptr, 0);
    CameraEndFileAccess(camera);
    if (int16_t status = FileStatus(session, result)) return status;
    MosaicToPixels(mosaic.get(), thumbnail);
    return kPvOk;
}

struct DownloadProgress {
    PvProgressCallback callback;
    int lastPercent = -1;
};

DWORD CALLBACK ReportDownload(ULONG_PTR user, DWORD received, DWORD total) {
    auto progress = reinterpret_cast<DownloadProgress*>(user);
    int percent = total ? int(ULONGLONG(received) * 100 / total) : 100;
    if (percent == progress->lastPercent) return 0;
    progress->lastPercent = percent;
    return progress->callback(1, percent, 0) != 0;
}

}  // namespace

extern "C" {

int16_t PV360_OpenCamera(const uint16_t* version, PvConnection* connection) {
    if (!version || IsBadReadPtr(version, sizeof *version) || *version != kPvCameraInterfaceVersion)
        return kPvBadArgument;
    return OpenSession(connection);
}

int16_t PV360_CloseCamera(PvConnection* connection) { return CloseSession(connection) ? kPvOk : kPvBadArgument; }

int16_t PV360_GetStatus(PvConnection* connection, PvCameraBlock* camera, PvStatusRecord* status) {
    CameraSession* session = FindSession(connection);
    if (!session || !Writable(camera) || (status && !Writable(status))) return kPvBadArgument;
    if (int16_t result = ReadStatus(session)) return result;
    FillCameraBlock(session->camera.get(), camera);
    if (status) FillStatusRecord(session, status);
    return kPvOk;
}

int16_t PV360_GetConfig(PvConnection* connection, PvConfig* config, PvConfigClock* clock) {
    CameraSession* session = FindSession(connection);
    if (!session || !Writable(config) || !Writable(clock) || !Writable(config->model, kModelLength + 1) ||
        !Writable(clock->text, 32))
        return kPvBadArgument;
    if (int16_t result = ReadStatus(session)) return result;
    CSerialCamera* camera = session->camera.get();
    config->cameraType = CameraType(camera);
    config->selfTimer = StatusByte(camera, 29);
    config->exposureCompensation = SignedHalfSteps(StatusByte(camera, 21));
    config->picturesFreeBest = CameraGetStatusWord(camera, 68);
    config->picturesFreeGood = CameraGetStatusWord(camera, 72);
    for (DWORD i = 0; i < kModelLength; ++i) config->model[i] = char(StatusByte(camera, kModelOffset + i));
    config->model[kModelLength] = '\0';
    clock->clock = CameraGetStatusLong(camera, 32);
    ClockText(clock->clock, clock->text, 32);
    return kPvOk;
}

int16_t PV360_GetAllPictureName(PvConnection* connection, char* names) {
    CameraSession* session = FindSession(connection);
    if (!session) return kPvBadArgument;
    if (int16_t result = ReadStatus(session)) return result;
    int count = std::max<int16_t>(int16_t(CameraGetStatusWord(session->camera.get(), 56)), 0);
    if (count == 0) return kPvOk;
    if (!Writable(names, size_t(count) * kPvPictureNameSlot)) return kPvBadArgument;
    if (int16_t result = ReadPictures(session)) return result;
    std::memset(names, 0, size_t(count) * kPvPictureNameSlot);
    for (int i = 0; i < count && i < int(session->pictures.size()); ++i)
        std::strncpy(names + i * kPvPictureNameSlot, session->pictures[i].name.c_str(), 12);
    return kPvOk;
}

int16_t PV360_GetCameraPictInfo(PvConnection* connection, int32_t number, int32_t kind, const int32_t*,
                                       PvPictureInfo* info, BYTE* thumbnail) {
    CameraSession* session = FindSession(connection);
    if (!session || !Writable(info) || (kind != kPvKindFullPicture && kind != kPvKindThumbnail) ||
        (kind == kPvKindThumbnail && !Writable(thumbnail, kPvThumbnailBytes)))
        return kPvBadArgument;
    if (int16_t result = ReadStatus(session)) return result;
    if (number < 1 || number > int16_t(CameraGetStatusWord(session->camera.get(), 56))) return kPvNoSuchPicture;
    if (int16_t result = FillPictureInfo(session, number, info)) return result;
    return kind == kPvKindThumbnail ? ReadThumbnail(session, number, thumbnail) : kPvOk;
}

int16_t PV360_GetNativePicture(PvConnection* connection, const PvPictureInfo* info, BYTE** buffer,
                                      PvProgressCallback* progress) {
    CameraSession* session = FindSession(connection);
    if (!session || !info || IsBadReadPtr(info, sizeof *info) || !Writable(buffer) ||
        !Writable(*buffer, info->byteCount) || (progress && IsBadReadPtr(progress, sizeof *progress)))
        return kPvBadArgument;
    char name[14] = {};
    std::memcpy(name, info->name, sizeof info->name);
    if (!session->picturesRead || !PictureNamed(*session, name)) {
        if (int16_t result = ReadPictures(session)) return result;
    }
    const CameraPicture* picture = PictureNamed(*session, name);
    if (!picture) return kPvNoSuchPicture;
    DownloadProgress report{progress ? *progress : nullptr};
    CameraBuffer data;
    DWORD size = 0;
    CSerialCamera* camera = session->camera.get();
    DWORD result = CameraBeginFileAccess(camera);
    if (result == kCamOk)
        result = CameraReadPictureFile(camera, picture->path.c_str(), data.put(), &size,
                                       report.callback ? ReportDownload : nullptr, reinterpret_cast<ULONG_PTR>(&report));
    CameraEndFileAccess(camera);
    int16_t status = FileStatus(session, result);
    if (status == kPvOk && size != info->byteCount) status = kPvLinkFailed;
    if (status == kPvOk) std::memcpy(*buffer, data.get(), size);
    if (report.callback) report.callback(status == kPvOk ? 2 : 3, status == kPvOk ? 100 : std::max(report.lastPercent, 0), 0);
    return status;
}

}  // extern "C"
