// Taking a picture: new content painted from the clock and the picture count, stored in the card's
// picture directory as PVnnnnnn.JPG or .FPX (one more than the highest number there).
#pragma once

#include "Camera.h"

namespace pvsim {

// False when the picture could not be stored.
bool takePicture(Camera& cam);

std::string nextPictureName(const Camera& cam, uint8_t format);

}  // namespace pvsim
