#include "CameraStatusFields.h"

#include "MounterNameSpaceFolder.h"
#include "pvhost.h"

namespace {

constexpr DWORD kBattery = 8;
constexpr DWORD kMains = 9;
constexpr DWORD kZoom = 16;
constexpr DWORD kQuality = 19;
constexpr DWORD kFlash = 20;
constexpr DWORD kExposure = 21;
constexpr DWORD kResolution = 22;
constexpr DWORD kFormat = 23;
constexpr DWORD kSelfTimer = 29;
constexpr DWORD kTaken = 56;
constexpr DWORD kRemainingBest = 68;   // then Better at 70, Good at 72

}  // namespace

CameraStatusFields ReadCameraStatus(CMounterNameSpaceFolder* folder) {
    CameraStatusFields fields;
    if (!folder->IsSessionOpen()) return fields;
    fields.card = folder->IsCardPresent(TRUE) != 0;
    CSerialCamera* camera = folder->Session();
    if (!folder->IsSessionOpen()) return fields;   // the refresh may have lost the camera
    auto byte = [camera](DWORD offset) { return CameraGetStatusByte(camera, offset); };
    fields.valid = true;
    fields.model = folder->GetCameraModelCode();
    fields.battery = byte(kBattery);
    fields.mains = byte(kMains) != 0;
    fields.zoom = byte(kZoom) & 0x0F;
    fields.quality = byte(kQuality);
    fields.flash = byte(kFlash);
    fields.exposure = byte(kExposure);
    fields.resolution = byte(kResolution);
    fields.format = byte(kFormat);
    fields.selfTimer = byte(kSelfTimer) == 1;
    if (fields.card) {
        fields.taken = CameraGetStatusWord(camera, kTaken);
        if (fields.quality >= 1 && fields.quality <= 3)
            fields.remaining = CameraGetStatusWord(camera, kRemainingBest + 2 * (fields.quality - 1));
    }
    return fields;
}
