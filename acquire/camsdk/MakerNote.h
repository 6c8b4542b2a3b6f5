// What a camera JPEG file says about its picture in the maker block of its Exif segment: the
// flash, aperture, exposure time and zoom position, read from the head of the file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

struct MakerNote {
    int32_t cameraType = 0;          // 105 PV350, 106 PV360
    uint32_t taken = 0;              // camera clock
    bool flashUsed = false;
    int16_t apertureTenths = 0;
    uint32_t exposureMicroseconds = 0;
    int8_t zoom = -1;                // -1 on the PV350
};

// The head of the file (its first bytes, as many as were read); nothing when it has no maker
// block the camera wrote, or the block lies beyond the head.
std::optional<MakerNote> ReadMakerNote(const BYTE* head, size_t size);
