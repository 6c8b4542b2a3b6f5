// JPEG through libjpeg-turbo: whole pictures with an optional APP1 segment, FlashPix tiles as
// abbreviated streams that share one tables-only stream, and decoding for the camera's thumbnails.
#pragma once

#include "Raster.h"

#include "../wire/Bytes.h"

#include <optional>

namespace pvsim {

// Baseline JPEG of an RGB picture; `app1` (without marker and length) goes right after SOI.
Bytes encodeJpeg(const Raster& picture, int quality, const Bytes& app1);

// FlashPix tile coding: the samples are already PhotoYCC and are stored without conversion, with the
// chroma channels subsampled 2:1 both ways.
class TileCoder {
public:
    explicit TileCoder(int quality) : quality_(quality) {}
    Bytes tables() const;                          // tables-only stream
    Bytes encode(const Raster& ycc64) const;       // abbreviated stream of one 64 x 64 tile

private:
    int quality_;
};

// Decodes a JPEG, reduced by libjpeg's scaling to the smallest size still at least minWidth wide.
std::optional<Raster> decodeJpeg(const uint8_t* data, size_t size, int minWidth = 0);

}  // namespace pvsim
