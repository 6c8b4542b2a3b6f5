#include <algorithm>
#include "Capture.h"

#include "../imaging/PictureFile.h"
#include "../imaging/Scene.h"

#include <cstdio>

namespace pvsim {

std::string nextPictureName(const Camera& cam, uint8_t format) {
    unsigned highest = 0;
    for (const auto& p : cam.pictures()) {
        unsigned n = 0;
        if (std::sscanf(p.name.c_str(), "PV%6u.", &n) == 1) highest = std::max(highest, n);
    }
    char name[16];
    std::snprintf(name, sizeof name, "PV%06u.%s", highest + 1, format == 4 ? "FPX" : "JPG");
    return name;
}

bool takePicture(Camera& cam) {
    PictureMeta meta = cam.metaForNewPicture();
    std::string name = nextPictureName(cam, meta.format);
    bool high = meta.resolution == 1;
    Raster picture = paintScene(uint64_t(meta.taken) << 20 ^ cam.pictures().size(), high ? 1152 : 640, high ? 864 : 480);
    Bytes file = writePicture(picture, meta, name);
    return !file.empty() && cam.store.store("PCCARD/DCIMAGES", name, file, CameraClock::toLocal(meta.taken));
}

}  // namespace pvsim
