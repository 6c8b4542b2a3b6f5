// What one thread needs to decompress tiles of an image: its own JPEG decoder and run, and its
// own buffers. The resolutions and the tile cache are the image's, shared by the threads that
// decode one region's rows at once.
#pragma once

#include "DecodedTile.h"
#include "NIFJPEGer.h"
#include "NIFResolutionary.h"
#include "TileCache.h"

#include <map>
#include <memory>
#include <vector>

namespace nif {

class TileDecoder {
public:
    using Levels = std::vector<std::unique_ptr<NIFResolutionary>>;

    TileDecoder(Levels& levels, TileCache& cache, std::map<uint32_t, std::vector<uint8_t>> jpegTables);
    TileDecoder(const TileDecoder&) = delete;
    TileDecoder& operator=(const TileDecoder&) = delete;

    // The tile's pixels (laid out as DecodedTile.h says) from the cache, or decoded; they stay
    // valid until this decoder's next tile. rowEnd: the tile after the last one of the region's
    // row, up to which a run may reach.
    int tile(int level, uint32_t tile, uint32_t rowEnd, const uint8_t** pixels);

private:
    // The tiles [next, end) of a level that the JPEG decoder's current run holds. A run lies
    // within one row of a region, whose tiles are decoded in order, and ends with its last tile
    // or its first failure.
    struct Run {
        int level = -1;
        uint32_t next = 0;
        uint32_t end = 0;
    };

    int readIntoWorkBuffer(NIFResolutionary& r, uint32_t tile);
    int decompress(int level, uint32_t tile, uint32_t rowEnd, uint8_t* pixels);
    int decompressJpeg(int level, uint32_t tile, uint32_t rowEnd, uint8_t* pixels);
    void startRun(int level, uint32_t tile, uint32_t rowEnd);

    Levels& levels_;
    TileCache& cache_;
    NIFJPEGer jpeg_;
    Run run_;
    std::vector<NIFJPEGer::TileStream> runTiles_;
    std::vector<uint8_t> jpegBuffer_;
    // A decoded tile that the cache has no room for.
    uint8_t uncached_[DecodedTileBytes(4)];
};

}  // namespace nif
