// The library's exported functions (by ordinal, see pvhost.def). Every camera operation runs under
// the camera mutex; one that fails in a way a fresh link may cure is tried once more after the
// link was recovered.
#include "HostLibrary.h"
#include "SerialCamera.h"
#include "pvhost.h"

namespace {

// The camera's or the user's final word, or a failure the camera never saw (no memory, a bad
// argument): no recovery helps.
bool IsFinal(DWORD result) {
    return result == kCamOk || result == kCamRejected || result == kCamCameraError ||
           result == kCamCommandError || result == kCamCancelled || result == kCamOutOfMemory ||
           result == kCamBadArgument;
}

// Nothing to give back between two attempts.
void NoOutput() {}

// Runs the operation, and once more after a recovery when it failed in a way a fresh link may
// cure. What a failed first attempt already handed out is given back before the second, which
// would otherwise refuse the output as already set.
template <class Operation, class DropOutput = void (*)()>
DWORD WithRetry(CSerialCamera* camera, Operation operation, DropOutput dropOutput = NoOutput) {
    if (!camera) return kCamNotConnected;
    pvhost::CameraMutexHold hold;
    DWORD result = operation();
    if (IsFinal(result)) return result;
    camera->Recover();
    dropOutput();
    result = operation();
    if (!IsFinal(result)) camera->Recover();
    return result;
}

// Frees a buffer the first attempt left in the caller's output.
auto DropBuffer(BYTE** out) {
    return [out] {
        if (out && *out) {
            FreeCameraBuffer(*out);
            *out = nullptr;
        }
    };
}

auto DropInfo(CPictureInfo** out) {
    return [out] {
        if (out && *out) {
            FreePictureInfo(*out);
            *out = nullptr;
        }
    };
}

template <class Accessor>
DWORD Locked(CSerialCamera* camera, Accessor accessor) {
    if (!camera) return 0;
    pvhost::CameraMutexHold hold;
    return accessor();
}

}  // namespace

extern "C" {

void DestroyCamera(CSerialCamera* camera) { delete camera; }
void FreeCameraBuffer(BYTE* buffer) { delete[] buffer; }

void FreePictureInfo(CPictureInfo* info) {
    if (!info) return;
    delete[] info->record;
    delete info;
}

DWORD CameraConnect(CSerialCamera* c) { return c ? c->Connect() : kCamNotConnected; }
DWORD CameraDisconnect(CSerialCamera* c) { return c ? c->Disconnect() : kCamNotConnected; }
DWORD CameraResetCamera(CSerialCamera* c) { return c ? c->ResetCamera() : kCamResetFailed; }

DWORD CameraGetLinkStatus(CSerialCamera* c, COMSTAT* status, DWORD* errorMask, DWORD* lastError,
                          DWORD* location) {
    if (c) return c->GetLinkStatus(status, errorMask, lastError, location);
    if (status) *status = COMSTAT{};
    if (errorMask) *errorMask = 0;
    if (lastError) *lastError = 0;
    if (location) *location = 0;
    return kCamOk;
}

DWORD CameraSetLinkSpeed(CSerialCamera* c) {
    if (!c) return kCamNotConnected;
    pvhost::CameraMutexHold hold;
    c->SetSpeedChangeInProgress(true);
    DWORD r = WithRetry(c, [&] { return c->SetLinkSpeed(); });
    c->SetSpeedChangeInProgress(false);
    return r;
}

DWORD CameraReadStatus(CSerialCamera* c) { return WithRetry(c, [&] { return c->ReadStatus(); }); }
DWORD CameraBeginFileAccess(CSerialCamera* c) { return WithRetry(c, [&] { return c->BeginFileAccess(); }); }
DWORD CameraEndFileAccess(CSerialCamera* c) { return WithRetry(c, [&] { return c->EndFileAccess(); }); }

DWORD CameraListDirectory(CSerialCamera* c, const char* path, BYTE** entries, DWORD* count) {
    return WithRetry(c, [&] { return c->ListDirectory(path, entries, count); }, DropBuffer(entries));
}

DWORD CameraReadPictureFile(CSerialCamera* c, const char* path, BYTE** data, DWORD* size,
                            TransferProgressCallback progress, ULONG_PTR user) {
    return WithRetry(c, [&] { return c->ReadPictureFile(path, data, size, progress, user); }, DropBuffer(data));
}

DWORD CameraReadFileHead(CSerialCamera* c, const char* path, DWORD length, BYTE** data, DWORD* lengthOut) {
    return WithRetry(c, [&] { return c->ReadFileHead(path, length, data, lengthOut); }, DropBuffer(data));
}

DWORD CameraErasePicture(CSerialCamera* c, DWORD number) {
    return WithRetry(c, [&] { return c->ErasePicture(number); });
}

DWORD CameraEraseFile(CSerialCamera* c, const char* path) { return WithRetry(c, [&] { return c->EraseFile(path); }); }
DWORD CameraFormatCard(CSerialCamera* c) { return WithRetry(c, [&] { return c->FormatCard(); }); }

DWORD CameraReadThumbnailByNumber(CSerialCamera* c, DWORD number, BYTE** data,
                                  TransferProgressCallback progress, ULONG_PTR user) {
    return WithRetry(c, [&] { return c->ReadThumbnailByNumber(number, data, progress, user); }, DropBuffer(data));
}

DWORD CameraReadThumbnail(CSerialCamera* c, const char* path, BYTE** data, TransferProgressCallback progress,
                          ULONG_PTR user) {
    return WithRetry(c, [&] { return c->ReadThumbnail(path, data, progress, user); }, DropBuffer(data));
}

DWORD CameraSetClock(CSerialCamera* c, DWORD v) { return WithRetry(c, [&] { return c->SetClock(v); }); }
DWORD CameraSetExposureCompensation(CSerialCamera* c, DWORD v) {
    return WithRetry(c, [&] { return c->SetExposureCompensation(v); });
}
DWORD CameraSetFileFormat(CSerialCamera* c, DWORD v) { return WithRetry(c, [&] { return c->SetFileFormat(v); }); }
DWORD CameraSetFlashMode(CSerialCamera* c, DWORD v) { return WithRetry(c, [&] { return c->SetFlashMode(v); }); }
DWORD CameraSetQuality(CSerialCamera* c, DWORD v) { return WithRetry(c, [&] { return c->SetQuality(v); }); }
DWORD CameraSetResolution(CSerialCamera* c, DWORD v) { return WithRetry(c, [&] { return c->SetResolution(v); }); }
DWORD CameraSetSelfTimer(CSerialCamera* c, DWORD v) { return WithRetry(c, [&] { return c->SetSelfTimer(v); }); }
DWORD CameraSetZoom(CSerialCamera* c, DWORD v) { return WithRetry(c, [&] { return c->SetZoom(v); }); }
DWORD CameraTakePicture(CSerialCamera* c) { return WithRetry(c, [&] { return c->TakePicture(); }); }

DWORD CameraReadPictureInfo(CSerialCamera* c, const char* path, CPictureInfo** info) {
    return WithRetry(c, [&] { return c->ReadPictureInfo(path, info); }, DropInfo(info));
}

DWORD CameraReadPictureInfoByNumber(CSerialCamera* c, DWORD number, CPictureInfo** info) {
    return WithRetry(c, [&] { return c->ReadPictureInfoByNumber(number, info); }, DropInfo(info));
}

DWORD CameraQueryCardPresent(CSerialCamera* c, DWORD refresh) {
    return Locked(c, [&] { return c->QueryCardPresent(refresh); });
}
DWORD CameraQueryInternalMemory(CSerialCamera* c) { return Locked(c, [&] { return c->QueryInternalMemory(); }); }

DWORD CameraReadStatusBlock(CSerialCamera* c, BYTE* buffer) {
    return Locked(c, [&] {
        c->ReadStatusBlock(buffer);
        return DWORD(0);
    });
}

DWORD CameraIsConnected(CSerialCamera* c) { return c ? c->IsConnected() : 0; }
DWORD CameraGetStatusByte(CSerialCamera* c, DWORD offset) { return Locked(c, [&] { return c->GetStatusByte(offset); }); }
DWORD CameraGetStatusLong(CSerialCamera* c, DWORD offset) { return Locked(c, [&] { return c->GetStatusLong(offset); }); }
DWORD CameraGetStatusWord(CSerialCamera* c, DWORD offset) { return Locked(c, [&] { return c->GetStatusWord(offset); }); }

}  // extern "C"
