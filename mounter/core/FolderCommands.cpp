// Picture texts, thumbnails, deletion, formatting, taking pictures and the camera settings.
#include "MounterNameSpaceFolder.h"

#include "pvhost.h"

#include <cstdio>

namespace {

constexpr char kNotAvailable[] = "N/A";

struct PictureInfoDeleter {
    void operator()(CPictureInfo* info) const { FreePictureInfo(info); }
};

std::string QualityText(BYTE value) {
    switch (value) {
    case 1: return "Best";
    case 2: return "Better";
    case 3: return "Good";
    default: return kNotAvailable;
    }
}

std::string ResolutionText(BYTE value) {
    switch (value) {
    case 0: return "Standard (640x480)";
    case 1: return "High (1152x864)";
    default: return kNotAvailable;
    }
}

// BeginFileAccess, the operation and EndFileAccess, whatever the card: 1 when all three succeed.
template <typename Operation>
int RunBracketed(CSerialCamera* session, Operation operation) {
    if (!session) return 0;
    bool done = CameraBeginFileAccess(session) == kCamOk && operation() == kCamOk;
    bool ended = CameraEndFileAccess(session) == kCamOk;
    return done && ended ? 1 : 0;
}

}  // namespace

bool CMounterNameSpaceFolder::EnterPictureInfoAccess(bool refresh, bool* bracketed) {
    *bracketed = false;
    if (!IsSessionOpen()) return false;
    if (CameraQueryCardPresent(m_session, refresh)) {
        if (CameraBeginFileAccess(m_session) != kCamOk) return false;
        *bracketed = true;
        return true;
    }
    return CameraQueryInternalMemory(m_session) != 0;
}

bool CMounterNameSpaceFolder::ReadPictureInfoRecord(LPCITEMIDLIST picture, BYTE* record) {
    bool bracketed;
    if (!picture || !EnterPictureInfoAccess(true, &bracketed)) return false;
    std::string path = m_cameraPath + "\\" + itemid::NameOf(picture);
    CPictureInfo* info = nullptr;
    bool read = CameraReadPictureInfo(m_session, path.c_str(), &info) == kCamOk && info;
    if (read) CopyMemory(record, info->record, kPictureInfoSize);
    FreePictureInfo(info);
    if (bracketed) CameraEndFileAccess(m_session);
    return read;
}

void CMounterNameSpaceFolder::GetPictureQualityText(std::string* text, LPCITEMIDLIST picture) {
    BYTE record[kPictureInfoSize];
    *text = ReadPictureInfoRecord(picture, record) ? QualityText(record[4]) : kNotAvailable;
}

void CMounterNameSpaceFolder::GetPictureResolutionText(std::string* text, LPCITEMIDLIST picture) {
    BYTE record[kPictureInfoSize];
    *text = ReadPictureInfoRecord(picture, record) ? ResolutionText(record[3]) : kNotAvailable;
}

LONG CMounterNameSpaceFolder::GetPictureInfoAt(DWORD number, std::string* name) {
    name->clear();
    bool bracketed;
    if (!EnterPictureInfoAccess(false, &bracketed)) return -1;
    CPictureInfo* info = nullptr;
    LONG taken = -1;
    if (CameraReadPictureInfoByNumber(m_session, number, &info) == kCamOk && info) {
        const BYTE* record = info->record;
        taken = static_cast<LONG>((DWORD(record[12]) << 24) | (DWORD(record[13]) << 16) |
                                  (DWORD(record[14]) << 8) | record[15]);
        const char* fileName = reinterpret_cast<const char*>(record + 32);
        name->assign(fileName, strnlen(fileName, kPictureInfoSize - 32));
    }
    FreePictureInfo(info);
    if (bracketed) CameraEndFileAccess(m_session);
    return taken;
}

void CMounterNameSpaceFolder::CountAlbumPictures(std::string* text, LPCITEMIDLIST album, LPCITEMIDLIST memory) {
    *text = kNotAvailable;
    if (!IsSessionOpen()) return;
    bool card = IsCardPresent(TRUE) != 0;
    DWORD memoryType = itemid::TypeOf(memory);
    std::string pattern;
    if (memoryType == MntCameraMemory) pattern = "\\MEMORY\\" + itemid::NameOf(album) + "\\*.ODC";
    else if (memoryType == MntMemoryCard && card) pattern = "\\PCCARD\\DCIMAGES\\" + itemid::NameOf(album) + "\\*.ODC";
    if (card && CameraBeginFileAccess(m_session) != kCamOk) return;
    BYTE* list = nullptr;
    DWORD count = 0;
    if (CameraListDirectory(m_session, pattern.c_str(), &list, &count) == kCamOk) *text = std::to_string(count);
    FreeCameraBuffer(list);
    if (card) CameraEndFileAccess(m_session);
}

int CMounterNameSpaceFolder::GetThumbnailByName(const char* path, BYTE** buffer) {
    *buffer = nullptr;
    return RunBracketed(m_session, [&] { return CameraReadThumbnail(m_session, path, buffer, nullptr, 0); });
}

int CMounterNameSpaceFolder::GetThumbnailByIndex(DWORD number, BYTE** buffer) {
    *buffer = nullptr;
    return RunBracketed(m_session,
                        [&] { return CameraReadThumbnailByNumber(m_session, number, buffer, nullptr, 0); });
}

int CMounterNameSpaceFolder::DeleteCameraFile(const char* path) {
    return RunBracketed(m_session, [&] { return CameraEraseFile(m_session, path); });
}

int CMounterNameSpaceFolder::DeleteAllPictures(DWORD selector) {
    return RunBracketed(m_session, [&] { return CameraErasePicture(m_session, selector); });
}

DWORD CMounterNameSpaceFolder::FormatMemoryCard() {
    if (!IsSessionOpen()) return kCamNotConnected;
    return CameraFormatCard(m_session);
}

int CMounterNameSpaceFolder::TakeCameraPicture() { return m_session ? CheckedCommand(CameraTakePicture(m_session)) : 0; }

int CMounterNameSpaceFolder::SetCameraValue(CameraSetter setter, DWORD value) {
    return m_session ? CheckedCommand(setter(m_session, value)) : 0;
}

int CMounterNameSpaceFolder::SetCameraQuality(DWORD value) { return SetCameraValue(CameraSetQuality, value); }
int CMounterNameSpaceFolder::SetCameraResolution(DWORD value) { return SetCameraValue(CameraSetResolution, value); }
int CMounterNameSpaceFolder::SetCameraZoom(DWORD value) { return SetCameraValue(CameraSetZoom, value); }
int CMounterNameSpaceFolder::SetCameraFlash(DWORD value) { return SetCameraValue(CameraSetFlashMode, value); }
int CMounterNameSpaceFolder::SetCameraSelfTimer(DWORD value) { return SetCameraValue(CameraSetSelfTimer, value); }
int CMounterNameSpaceFolder::SetCameraExposure(DWORD value) {
    return SetCameraValue(CameraSetExposureCompensation, value);
}
int CMounterNameSpaceFolder::SetCameraFileFormat(DWORD value) { return SetCameraValue(CameraSetFileFormat, value); }
int CMounterNameSpaceFolder::SetCameraClock(DWORD count) { return SetCameraValue(CameraSetClock, count); }
