// The pictures of the simulated camera's card as the camera names them, with the bytes of each
// read straight from the card image folder: what every copy is compared with.
#pragma once

#include <string>
#include <vector>

namespace soak {

struct CardPicture {
    std::string cameraPath;   // "\PCCARD\DCIMAGES\ALBUM001\PV000001.JPG"
    std::vector<unsigned char> bytes;
};

// The .JPG and .FPX files with 8.3 names under PCCARD\DCIMAGES of the card folder and one
// level of album folders below it. Throws std::runtime_error when a file cannot be read.
std::vector<CardPicture> ReadCardPictures(const std::string& cardDir);

}  // namespace soak
