// What the camera records about a picture, and the 48 fixed bytes of its maker block in the Exif
// segment of a JPEG file:
//   1 camera (3 PV350, 4 PV360)   2 always 3   3 resolution   4 quality   12-15 time taken (camera
//   clock, big-endian)   16 flash fired   17 flash mode   18 aperture (6.5 + byte / 8)   21 zoom
//   26 self-timer   27 white balance (0)   28-31 exposure time in 10 us units   32-43 model text
//   46 exposure compensation (bit 7 minus, low bits half steps)
#pragma once

#include "../wire/Bytes.h"

#include <cstdint>
#include <optional>

namespace pvsim {

struct PictureMeta {
    uint8_t camera = 4;          // 3 PV350, 4 PV360
    uint8_t resolution = 0;      // 0 640 x 480, 1 1152 x 864
    uint8_t quality = 1;         // 1 best, 2 better, 3 good
    uint8_t format = 3;          // 3 JPEG, 4 FlashPix
    uint32_t taken = 0;          // camera clock: half seconds since 1997-01-01 00:00 local time
    uint8_t flashMode = 0;
    bool flashFired = false;
    uint8_t zoom = 0;
    uint8_t exposure = 0;        // compensation as the camera's setting byte
    bool selfTimer = false;
    uint32_t exposureTime = 1667;   // units of 10 microseconds
};

constexpr size_t kMakerBlockSize = 48;

Bytes encodeMakerBlock(const PictureMeta& meta);
std::optional<PictureMeta> decodeMakerBlock(const uint8_t* block, size_t size);

int jpegQualityFor(uint8_t quality);   // libjpeg quality of the camera's best, better and good

}  // namespace pvsim
