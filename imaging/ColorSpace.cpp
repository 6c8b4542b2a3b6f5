#include "ColorSpace.h"

#include "ByteReader.h"
#include "FpxIds.h"

namespace nif {
namespace {

int ColorChannelsOf(uint32_t space) {
    switch (space) {
    case kSpaceMonochrome: return 1;
    case kSpacePhotoYcc: case kSpaceRgb: return 3;
    default: return 0;
    }
}

}  // namespace

bool ParseColorSpace(const std::vector<uint8_t>& blob, ColorSpace* out) {
    ByteReader in(blob.data(), blob.size());
    uint32_t subimages, channels, first;
    if (!in.u32(&subimages) || !in.u32(&channels) || channels < 1 || channels > 4 || !in.u32(&first)) return false;
    ColorSpace cs;
    cs.space = (first >> 16) & 0x7FFF;
    cs.colorChannels = ColorChannelsOf(cs.space);
    if (!cs.colorChannels || (channels != uint32_t(cs.colorChannels) && channels != uint32_t(cs.colorChannels) + 1))
        return false;
    cs.opacity = channels > uint32_t(cs.colorChannels);
    for (uint32_t c = 0; c < channels; ++c) {
        uint32_t code = first;
        if (c > 0 && !in.u32(&code)) return false;
        const uint32_t expected = cs.opacity && c == channels - 1 ? kOpacityChannel : c;
        if (((code >> 16) & 0x7FFF) != cs.space || (code & kChannelTypeMask) != expected) return false;
    }
    *out = cs;
    return true;
}

}  // namespace nif
