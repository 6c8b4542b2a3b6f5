#include "RegionWriter.h"

#include "DecodedTile.h"
#include "PixelRows.h"
#include "ToolkitState.h"

namespace nif {

NIFChannel RegionWriter::at(int channel, const Span& part) const {
    const NIFChannel& c = d_.channel[channel];
    return {c.start + (part.y - originY_) * c.lineStride + (part.x - originX_) * c.pixelStride, c.pixelStride,
            c.lineStride};
}

// Colour channels come from the same stored channel; a requested opacity from the stored one,
// or fully opaque when none is stored.
void RegionWriter::copyChannel(int channel, const uint8_t* tile, long tileX, long tileY, const Span& part) const {
    const NIFChannel to = at(channel, part);
    const bool opaque = channel >= stored_.colorChannels && !stored_.opacity;
    const int from = channel < stored_.colorChannels ? channel : stored_.colorChannels;
    for (long y = 0; y < part.height; ++y) {
        const uint8_t* src = tile + from * kTilePlane + (part.y - tileY + y) * kTileSide + (part.x - tileX);
        uint8_t* dst = to.start + y * to.lineStride;
        if (opaque)
            for (long x = 0; x < part.width; ++x, dst += to.pixelStride) *dst = 255;
        else
            for (long x = 0; x < part.width; ++x, dst += to.pixelStride) *dst = src[x];
    }
}

// Three colour channels go row by row straight from the tile to the destination, converted
// when the spaces differ; an opacity channel is copied.
void RegionWriter::write(const uint8_t* tile, long tileX, long tileY, const Span& part) const {
    if (!converter_ && stored_.colorChannels != 3) {
        for (int c = 0; c < d_.channels; ++c) copyChannel(c, tile, tileX, tileY, part);
        return;
    }
    NIFChannel colour[3] = {at(0, part), at(1, part), at(2, part)};
    const uint8_t* src = tile + (part.y - tileY) * kTileSide + (part.x - tileX);
    for (long y = 0; y < part.height; ++y, src += kTileSide) {
        if (converter_)
            converter_->convertRow(src, kTilePlane, part.width, colour);
        else
            WriteRow(src, kTilePlane, part.width, colour, [](uint8_t&, uint8_t&, uint8_t&) {});
        for (NIFChannel& c : colour) c.start += c.lineStride;
    }
    for (int c = 3; c < d_.channels; ++c) copyChannel(c, tile, tileX, tileY, part);
}

bool ConverterFor(const ColorSpace& stored, const NIFDestination& destination, const NIFColorConv** converter) {
    *converter = nullptr;
    if (uint32_t(destination.colorSpace) == stored.space) return true;
    if (stored.space == kSpacePhotoYcc && destination.colorSpace == NIF_SPACE_RGB)
        return (*converter = ToolkitState::Get()->converter(NIF_COCO_YCC_TO_RGB)) != nullptr;
    if (stored.space == kSpaceRgb && destination.colorSpace == NIF_SPACE_PHOTOYCC)
        return (*converter = ToolkitState::Get()->converter(NIF_COCO_RGB_TO_YCC)) != nullptr;
    return false;
}

}  // namespace nif
