// The values of the camera's cached status record that the property pages show, read in one go.
#pragma once

#include <windows.h>

class CMounterNameSpaceFolder;

struct CameraStatusFields {
    bool valid = false;          // the session is open and the values were read
    DWORD model = 3;
    DWORD battery = 0;           // 0 full, 1 low, other: neither
    bool mains = false;
    DWORD zoom = 0;              // 0 to 4, 5 close-up
    DWORD quality = 0;           // 1 Best, 2 Better, 3 Good
    DWORD flash = 0;
    DWORD exposure = 0;
    DWORD resolution = 0;        // 1 High, 0 Standard
    DWORD format = 0;            // 4 FlashPix, 3 JPEG
    bool selfTimer = false;
    bool card = false;           // asked of the camera
    DWORD taken = 0;             // 0 without a card
    DWORD remaining = 0;         // at the current quality; 0 without a card

    bool closeUp() const { return zoom == 5; }
    bool zoomAllowed() const { return model != 3; }
};

constexpr DWORD kCloseUpZoom = 5;

// The fields of the folder's session; not valid without an open session. The card's presence is
// asked of the camera, which also refreshes the cached record.
CameraStatusFields ReadCameraStatus(CMounterNameSpaceFolder* folder);
