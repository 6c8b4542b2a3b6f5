// One picture retrieved into the acquire dialog. Its number is its position in the acquire
// manager's picture list plus 1.
#pragma once

#include "pvcamsdk.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace acquire {

struct PictureEntry {
    enum class Source { kCamera, kDisk };

    Source source = Source::kCamera;
    int32_t cameraNumber = 0;     // 1-based, for a camera picture
    std::string name;             // the camera's file name, or the disk file's path
    PvPictureInfo information{};  // as the camera library reported it (camera pictures)
    std::vector<BYTE> thumbnail;  // 96 x 72, bottom-up blue-green-red rows; empty when there is none
    uint16_t rotation = 0;        // quarter turns
    uint32_t width = 0;
    uint32_t height = 0;
    bool colour = true;
    bool selected = false;        // for transfer
};

}  // namespace acquire
