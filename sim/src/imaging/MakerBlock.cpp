#include "MakerBlock.h"

#include <cstring>

namespace pvsim {

Bytes encodeMakerBlock(const PictureMeta& m) {
    Bytes b(kMakerBlockSize, 0);
    b[1] = m.camera;
    b[2] = 3;
    b[3] = m.resolution;
    b[4] = m.quality;
    putBe32(&b[12], m.taken);
    b[16] = m.flashFired ? 1 : 0;
    b[17] = m.flashMode;
    b[18] = 12;   // f/8
    b[21] = m.zoom & 0x0F;
    b[26] = m.selfTimer ? 1 : 0;
    putBe32(&b[28], m.exposureTime);
    const char* model = m.camera == 3 ? "ORVIK PV350" : "ORVIK PV360";
    std::memcpy(&b[32], model, std::strlen(model));
    b[46] = m.exposure;
    return b;
}

std::optional<PictureMeta> decodeMakerBlock(const uint8_t* b, size_t size) {
    if (size < kMakerBlockSize || b[2] != 3 || (b[1] != 3 && b[1] != 4)) return std::nullopt;
    PictureMeta m;
    m.camera = b[1];
    m.resolution = b[3];
    m.quality = b[4];
    m.taken = getBe32(&b[12]);
    m.flashFired = b[16] != 0;
    m.flashMode = b[17];
    m.zoom = b[21] & 0x0F;
    m.selfTimer = b[26] != 0;
    m.exposureTime = getBe32(&b[28]);
    m.exposure = b[46];
    return m;
}

int jpegQualityFor(uint8_t quality) {
    switch (quality) {
    case 1: return 90;
    case 2: return 75;
    default: return 55;
    }
}

}  // namespace pvsim
