// Types that the camera library shares with its callers.
#pragma once

#include <windows.h>

// Result of every camera operation.
enum CameraResult : DWORD {
    kCamOk = 0,
    kCamResetFailed = 1,
    kCamPortOpenFailed = 2,
    kCamPortCloseFailed = 3,
    kCamSpeedSwitchFailed = 4,
    kCamRejected = 5,
    kCamNoAnswer = 6,
    kCamReadFailed = 7,
    kCamShortWrite = 8,
    kCamWriteFailed = 9,
    kCamNotReady = 10,
    kCamCameraError = 11,
    kCamBadChecksum = 12,
    kCamCommandError = 13,
    kCamPacketRefused = 14,
    kCamOutOfMemory = 15,
    kCamBadArgument = 16,
    kCamNotConnected = 17,
    kCamAlreadyConnected = 18,
    kCamCancelled = 19,
    kCamUnexpectedAnswer = 20,
};

// Progress of OpenCamera: (user, step text id, step mark id, state) -> non-zero to cancel.
using OpenProgressCallback = DWORD(CALLBACK*)(ULONG_PTR user, DWORD text, DWORD mark, DWORD state);
// Progress of file and thumbnail reads: (user, bytes so far, total) -> non-zero to cancel.
using TransferProgressCallback = DWORD(CALLBACK*)(ULONG_PTR user, DWORD received, DWORD total);

// OpenCamera's step states.
constexpr DWORD kStepAnnounced = 264;
constexpr DWORD kStepDone = 262;
constexpr DWORD kStepFailed = 263;

// Window messages of the card watch, posted to every "PV360_Mounter_View" window.
constexpr UINT WM_CAMERA_CHANGED = 0x1440;
constexpr UINT WM_CAMERA_KEEPALIVE = 0x1441;

constexpr DWORD kStatusRecordSize = 126;
constexpr DWORD kPictureInfoSize = 256;
constexpr DWORD kDirectoryEntrySize = 20;
constexpr DWORD kThumbnailSize = 3456;
constexpr DWORD kMaxPathLength = 48;

// A picture information record handed out by the library and freed with FreePictureInfo.
struct CPictureInfo {
    BYTE* record;   // 256 bytes
};
