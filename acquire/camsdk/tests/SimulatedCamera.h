// The simulated camera on COM1 with a fresh card image, as the acquire module's tests use it: the
// camera library's fixture, with the link's waits shortened for connections made by the layers
// above (the reset pause, the quiet line the simulator takes as a reset).
#pragma once

#include "CameraFixture.h"

#include <string>
#include <vector>

class SimulatedCameraTest : public CameraTest {
protected:
    void SetUp() override;

    // The card's picture files in the camera's numbering (file names, upper case).
    std::vector<std::string> CardPictures() const;
    // The whole of a file of the card image (path relative to the card folder).
    std::string CardFile(const std::string& relative) const;
    // The card path of picture n (1-based), relative to the card folder.
    std::string PicturePath(int n) const;
};
