// JPEG tiles of one resolution joined into one datastream, so that libjpeg sets up once for a
// row of tiles instead of once per tile. The joined stream is a picture one tile wide and the
// tiles high, each tile one restart interval: the decoder starts every tile afresh, exactly as
// when the tile is a datastream of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nif {

// The parts of a tile's stream, for a tile that can be joined: SOI, a baseline 8-bit frame of
// 64 x 64 pixels with sampling factors of 1 or 2, a single scan over all components in frame
// order, its entropy-coded data and EOI. Application and comment segments may come before the
// scan; tables, restart intervals and anything else may not.
struct JpegTileLayout {
    const uint8_t* frame = nullptr;   // the frame header segment, marker included
    size_t frameSize = 0;
    const uint8_t* scan = nullptr;    // the scan header segment, marker included
    size_t scanSize = 0;
    const uint8_t* entropy = nullptr;
    size_t entropySize = 0;
    int components = 0;
    int maxH = 0;                     // largest horizontal and vertical sampling factors
    int maxV = 0;
    int h[4] = {};
    int v[4] = {};

    // Tiles with the same frame and scan headers can follow each other in one stream.
    bool joinsWith(const JpegTileLayout& other) const;
    int restartInterval() const { return (8 / maxH) * (8 / maxV); }   // MCUs of one tile
};

// False when the tile cannot be joined with others (it is then decoded on its own).
bool ParseJoinableTile(const uint8_t* data, size_t size, JpegTileLayout* out);

// Whether the tile's stream defines tables of its own before its first scan: such a tile
// replaces the decoder's tables. A stream that cannot be walked counts as defining them.
bool DefinesTables(const uint8_t* data, size_t size);

// The joined stream of the tiles (all joining the first): SOI, the first tile's frame header
// with the height of all tiles, a restart interval of one tile, the scan header, each tile's
// entropy-coded data followed by the next restart marker, and EOI.
void JoinTiles(const std::vector<JpegTileLayout>& tiles, std::vector<uint8_t>& out);

}  // namespace nif
