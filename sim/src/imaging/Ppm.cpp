#include "Ppm.h"

#include <string>

namespace pvsim {

Bytes encodePpm(const Raster& picture) {
    const std::string header = "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    Bytes out(header.begin(), header.end());
    out.insert(out.end(), picture.rgb.begin(), picture.rgb.end());
    return out;
}

}  // namespace pvsim
