// Picture texts, thumbnails, deletion, formatting, taking pictures and the camera settings.
#include "MounterNameSpaceFolder.h"

#include "CameraPaths.h"
#include "MounterMessages.h"
#include "MounterResources.h"
#include "pvhost.h"

namespace {

std::string QualityText(BYTE value) {
    switch (value) {
    case 1: return mounter::LoadText(IDS_QUALITY_BEST);
    case 2: return mounter::LoadText(IDS_QUALITY_BETTER);
    case 3: return mounter::LoadText(IDS_QUALITY_GOOD);
    default: return mounter::LoadText(IDS_NOT_AVAILABLE);
    }
}

std::string ResolutionText(BYTE value) {
    switch (value) {
    case 0: return mounter::LoadText(IDS_RESOLUTION_STANDARD);
    case 1: return mounter::LoadText(IDS_RESOLUTION_HIGH);
    default: return mounter::LoadText(IDS_NOT_AVAILABLE);
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

// A thumbnail read in the bracket; a failure of any of the three leaves no buffer behind.
template <typename Read>
int ReadThumbnailBracketed(CSerialCamera* session, BYTE** buffer, Read read) {
    *buffer = nullptr;
    mounter::CameraBuffer thumbnail;
    if (!RunBracketed(session, [&] { return read(thumbnail.put()); })) return 0;
    *buffer = thumbnail.release();
    return 1;
}

}  // namespace

bool CMounterNameSpaceFolder::EnterPictureInfoAccess(bool refresh, bool* bracketed) {
    *bracketed = false;
    if (!IsSessionOpen()) return false;
    if (CameraQueryCardPresent(m_session.get(), refresh)) {
        if (CameraBeginFileAccess(m_session.get()) != kCamOk) return false;
        *bracketed = true;
        return true;
    }
    return CameraQueryInternalMemory(m_session.get()) != 0;
}

bool CMounterNameSpaceFolder::ReadPictureInfoRecord(LPCITEMIDLIST picture, BYTE* record) {
    bool bracketed;
    if (!picture || !EnterPictureInfoAccess(true, &bracketed)) return false;
    mounter::PictureInfo info;
    bool read = CameraReadPictureInfo(m_session.get(), CameraPathOf(picture).c_str(), info.put()) == kCamOk &&
                info && info.get()->record;
    if (read) CopyMemory(record, info.get()->record, kPictureInfoSize);
    if (bracketed) CameraEndFileAccess(m_session.get());
    return read;
}

void CMounterNameSpaceFolder::GetPictureQualityText(std::string* text, LPCITEMIDLIST picture) {
    BYTE record[kPictureInfoSize];
    *text = ReadPictureInfoRecord(picture, record) ? QualityText(record[4]) : mounter::LoadText(IDS_NOT_AVAILABLE);
}

void CMounterNameSpaceFolder::GetPictureResolutionText(std::string* text, LPCITEMIDLIST picture) {
    BYTE record[kPictureInfoSize];
    *text = ReadPictureInfoRecord(picture, record) ? ResolutionText(record[3]) : mounter::LoadText(IDS_NOT_AVAILABLE);
}

LONG CMounterNameSpaceFolder::GetPictureInfoAt(DWORD number, std::string* name) {
    name->clear();
    bool bracketed;
    if (!EnterPictureInfoAccess(false, &bracketed)) return -1;
    mounter::PictureInfo info;
    LONG taken = -1;
    if (CameraReadPictureInfoByNumber(m_session.get(), number, info.put()) == kCamOk && info && info.get()->record) {
        const BYTE* record = info.get()->record;
        taken = static_cast<LONG>((DWORD(record[12]) << 24) | (DWORD(record[13]) << 16) |
                                  (DWORD(record[14]) << 8) | record[15]);
        const char* fileName = reinterpret_cast<const char*>(record + 32);
        name->assign(fileName, strnlen(fileName, kPictureInfoSize - 32));
    }
    if (bracketed) CameraEndFileAccess(m_session.get());
    return taken;
}

void CMounterNameSpaceFolder::CountAlbumPictures(std::string* text, LPCITEMIDLIST album, LPCITEMIDLIST memory) {
    *text = mounter::LoadText(IDS_NOT_AVAILABLE);
    if (!IsSessionOpen()) return;
    bool card = IsCardPresent(TRUE) != 0;
    DWORD memoryType = itemid::TypeOf(memory);
    std::string pattern;
    if (memoryType == MntCameraMemory || (memoryType == MntMemoryCard && card))
        pattern = mounter::MemoryPath(memoryType) + "\\" + itemid::NameOf(album) + "\\*.ODC";
    if (card && CameraBeginFileAccess(m_session.get()) != kCamOk) return;
    mounter::CameraBuffer list;
    DWORD count = 0;
    if (CameraListDirectory(m_session.get(), pattern.c_str(), list.put(), &count) == kCamOk)
        *text = std::to_string(count);
    if (card) CameraEndFileAccess(m_session.get());
}

int CMounterNameSpaceFolder::GetThumbnailByName(const char* path, BYTE** buffer) {
    CSerialCamera* session = m_session.get();
    return ReadThumbnailBracketed(session, buffer,
                                  [&](BYTE** out) { return CameraReadThumbnail(session, path, out, nullptr, 0); });
}

int CMounterNameSpaceFolder::GetThumbnailByIndex(DWORD number, BYTE** buffer) {
    CSerialCamera* session = m_session.get();
    return ReadThumbnailBracketed(
        session, buffer, [&](BYTE** out) { return CameraReadThumbnailByNumber(session, number, out, nullptr, 0); });
}

int CMounterNameSpaceFolder::DeleteCameraFile(const char* path) {
    return RunBracketed(m_session.get(), [&] { return CameraEraseFile(m_session.get(), path); });
}

int CMounterNameSpaceFolder::DeleteAllPictures(DWORD selector) {
    return RunBracketed(m_session.get(), [&] { return CameraErasePicture(m_session.get(), selector); });
}

DWORD CMounterNameSpaceFolder::FormatMemoryCard() {
    if (!IsSessionOpen()) return kCamNotConnected;
    return CameraFormatCard(m_session.get());
}

int CMounterNameSpaceFolder::TakeCameraPicture() {
    return m_session ? CheckedCommand(CameraTakePicture(m_session.get())) : 0;
}

int CMounterNameSpaceFolder::SetCameraValue(CameraSetter setter, DWORD value) {
    return m_session ? CheckedCommand(setter(m_session.get(), value)) : 0;
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
