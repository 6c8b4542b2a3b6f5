// pvcamsdk.dll: the camera library of the acquire module. Seven C calls, each answering a 16-bit
// status (0 for success, otherwise one of the codes below, which are the acquire module's own
// error codes), reach the camera through pvhost. Pictures are numbered from 1. Every call takes
// the caller's connection record first; the library keeps its own state behind the record's
// last eight bytes, so a record that no open call filled is refused, never followed.
#pragma once

#include <windows.h>

#include <cstdint>

// The interface version the caller passes to PV360_OpenCamera.
constexpr uint16_t kPvCameraInterfaceVersion = 0x0204;
constexpr int32_t kPvCameraTypePV350 = 105;
constexpr int32_t kPvCameraTypePV360 = 106;

// Status codes.
constexpr int16_t kPvOk = 0;
constexpr int16_t kPvBadArgument = -1000;       // missing or bad arguments, a record not open
constexpr int16_t kPvNotFound = -1002;          // no camera answered on the port(s) tried
constexpr int16_t kPvCancelled = -1004;         // the progress callback asked to stop
constexpr int16_t kPvLinkFailed = -1006;        // the camera stopped answering properly
constexpr int16_t kPvOutOfMemory = -1011;
constexpr int16_t kPvNoSuchPicture = -1102;
constexpr int16_t kPvNoCard = -1110;
constexpr int16_t kPvCardUnformatted = -1111;

#pragma pack(push, 4)

// The caller's connection record (20 bytes).
struct PvConnection {
    int32_t port;        // 0: search COM1 to COM9; 1 to 9: COMn
    int32_t speed;       // 0: search from the fastest; 1 to 5: 9600, 19200, 38400, 57600, 115200
    int32_t cameraType;  // always 106
    uint32_t session;    // filled by PV360_OpenCamera, 0 after PV360_CloseCamera
    int32_t portInUse;   // the COM number connected
};

// Power and card (32 bytes).
struct PvStatusRecord {
    int32_t battery;        // 0 good, 1 low, 2 exhausted
    int32_t acAdapter;      // nonzero while the camera runs on its mains adapter
    int32_t cardPresent;
    int32_t cardFormatted;
    int32_t pictureCount;
    int32_t cameraType;     // 105 or 106
    int32_t speedInUse;     // baud
    int32_t reserved;
};

// The camera and its settings (48 bytes).
struct PvCameraBlock {
    int32_t cameraType;     // 105 or 106
    int32_t quality;        // 1 best, 2 better, 3 good
    int32_t resolution;     // 0 standard 640 x 480, 1 high 1152 x 864
    int32_t flashMode;
    int32_t fileFormat;     // 3 JPEG, 4 FlashPix
    int32_t zoom;           // 0 to 5, -1 on a camera without zoom
    uint16_t newestPicture;  // offset 24: the number of the newest picture, 0 without pictures
    uint16_t picturesFree;   // offset 26: pictures that still fit at the current quality
    uint16_t reserved1[2];
    int16_t pictureCount;    // offset 32
    uint16_t reserved2[7];
};

// PV360_GetConfig's two blocks; each ends with a pointer to a block of text the caller owns.
struct PvConfig {           // 24 bytes on 32-bit Windows
    int32_t cameraType;
    int32_t selfTimer;       // 1 on, 0 off
    int32_t exposureCompensation;   // half steps, negative for minus
    int32_t picturesFreeBest;
    int32_t picturesFreeGood;
    char* model;             // 33 bytes: the camera's model text, terminated
};

struct PvConfigClock {      // 8 bytes on 32-bit Windows
    uint32_t clock;          // half seconds since 1997-01-01 00:00:00 local time
    char* text;              // 32 bytes: "YYYY-MM-DD HH:MM:SS", terminated
};

// A picture's information (52 bytes), zeroed by the caller.
struct PvPictureInfo {
    char name[13];           // 8.3 file name, terminated
    uint8_t fileFormat;      // 3 JPEG, 4 FlashPix
    uint8_t quality;         // 1 best, 2 better, 3 good
    uint8_t resolution;      // 0 standard, 1 high
    uint16_t width;
    uint16_t height;
    uint32_t byteCount;      // offset 20: size of the stored file
    uint32_t taken;          // camera clock (see PvConfigClock)
    uint32_t exposureMicroseconds;   // 0 when the picture does not say
    int16_t apertureTenths;  // f-number in tenths, 0 when the picture does not say
    int8_t zoom;             // 0 to 5 (5 close-up), -1 without zoom, -2 when the picture does not say
    uint8_t flashUsed;
    int32_t number;          // 1-based
    int32_t memory;          // 1: the memory card
    int32_t cameraType;      // of the camera that took it, when the picture says; else 0
    uint32_t reserved;
};

#pragma pack(pop)

constexpr int kPvPictureNameSlot = 20;       // bytes a picture of PV360_GetAllPictureName
constexpr int kPvThumbnailWidth = 96;
constexpr int kPvThumbnailHeight = 72;
constexpr int kPvThumbnailBytes = 96 * 72 * 3;   // bottom-up rows of blue, green, red pixels
constexpr int kPvKindFullPicture = 0;
constexpr int kPvKindThumbnail = 1;

// Progress of PV360_GetNativePicture: (phase, percent, unused); phase 1 while the picture comes,
// 2 when it has come, 3 when it failed. Nonzero asks the library to stop.
using PvProgressCallback = int(WINAPI*)(int phase, int percent, int unused);

extern "C" {

// Connects: searches the ports and speeds the record asks for (a reset and speed change each).
int16_t PV360_OpenCamera(const uint16_t* version, PvConnection* connection);
int16_t PV360_CloseCamera(PvConnection* connection);
// Reads the camera's status into the camera block and, when one is given, the status record.
int16_t PV360_GetStatus(PvConnection* connection, PvCameraBlock* camera, PvStatusRecord* status);
// Fills both blocks and the texts their pointers name.
int16_t PV360_GetConfig(PvConnection* connection, PvConfig* config, PvConfigClock* clock);
// One 20-byte slot a picture (as many as the status counts), each starting with the file name.
int16_t PV360_GetAllPictureName(PvConnection* connection, char* names);
// The information of a picture; with kind 1 also its thumbnail into the 20736-byte buffer
// (kPvThumbnailBytes). The three request values are not interpreted.
int16_t PV360_GetCameraPictInfo(PvConnection* connection, int32_t number, int32_t kind,
                                       const int32_t* request, PvPictureInfo* info, BYTE* thumbnail);
// The stored JPEG or FlashPix file of the picture that info names, into *buffer (which holds
// info->byteCount bytes), calling the progress callback in *progress (if any) as it comes.
int16_t PV360_GetNativePicture(PvConnection* connection, const PvPictureInfo* info, BYTE** buffer,
                                      PvProgressCallback* progress);

}  // extern "C"

#ifndef _WIN64
static_assert(sizeof(PvConfig) == 24 && sizeof(PvConfigClock) == 8);
#endif
static_assert(sizeof(PvConnection) == 20 && sizeof(PvStatusRecord) == 32 && sizeof(PvCameraBlock) == 48);
static_assert(sizeof(PvPictureInfo) == 52 && offsetof(PvPictureInfo, byteCount) == 20);
static_assert(offsetof(PvCameraBlock, newestPicture) == 24 && offsetof(PvCameraBlock, pictureCount) == 32);
