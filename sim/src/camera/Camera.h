// Everything the camera knows: model, settings, power, clock, storage and the file-access bracket.
#pragma once

#include "CameraClock.h"
#include "CardStore.h"

#include "../imaging/MakerBlock.h"

namespace pvsim {

enum class Model { PV350, PV360 };

struct Settings {
    uint8_t zoom = 0;          // 0 58 mm ... 4 29 mm, 5 close-up
    uint8_t quality = 2;       // 1 best, 2 better, 3 good
    uint8_t flash = 0;
    uint8_t exposure = 0;      // bit 7 minus, low bits half steps
    uint8_t resolution = 0;    // 0 640 x 480, 1 1152 x 864
    uint8_t format = 3;        // 3 JPEG, 4 FlashPix
    uint8_t selfTimer = 0;
};

enum Battery : uint8_t { kBatteryFull = 0, kBatteryLow = 1, kBatteryExhausted = 2 };

struct PictureRef {
    Node node;
    std::string name;   // "PV000001.JPG"
};

class Camera {
public:
    Model model = Model::PV360;
    Settings settings;
    uint8_t battery = kBatteryFull;
    bool mains = true;
    bool fileAccess = false;    // between 0x96 and 0x97
    CameraClock clock;
    CardStore store;

    void resetState();   // settings and power as after switching on; the storage stays
    bool powered() const { return mains || battery != kBatteryExhausted; }
    // Whether the camera can go on sending what a node holds: it has power, and a usable card when
    // the node lies on the card.
    bool canServe(const Node& node) const;

    // The pictures on the card, numbered from 0 in the camera's order: the picture directory's
    // albums first (each in listing order), then its own files; a new picture is the last one.
    std::vector<PictureRef> pictures() const;
    // Pictures that still fit on the card at a quality, at the current resolution.
    uint32_t remaining(uint8_t quality) const;
    Bytes statusRecord() const;   // the 256 bytes of the status packet
    PictureMeta metaForNewPicture() const;
};

bool isPictureName(const std::string& name);   // .JPG or .FPX

}  // namespace pvsim
