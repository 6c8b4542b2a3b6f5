// What a camera JPEG file says about its picture in the maker block of its Exif segment: the
// flash, aperture, exposure time and zoom position, and where its 96 x 72 thumbnail lies, read
// from the head of the file.
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
    size_t thumbnailOffset = 0;      // from the file's start; 0 when the head does not hold it whole
};

// What a file's head holds: no maker block of the camera's (another program's or another camera's
// JPEG), a block of the camera's that breaks its rules, or a block read.
struct MakerNoteReading {
    enum class State { kAbsent, kBroken, kRead } state = State::kAbsent;
    MakerNote note;
};
MakerNoteReading InspectMakerNote(const BYTE* head, size_t size);

// The head of the file (its first bytes, as many as were read); nothing when it has no maker
// block the camera wrote, or the block lies beyond the head.
std::optional<MakerNote> ReadMakerNote(const BYTE* head, size_t size);

// Bytes of the embedded thumbnail: 96 x 72 pixels of red, green, blue, top row first.
constexpr size_t kMakerThumbnailBytes = 96 * 72 * 3;
