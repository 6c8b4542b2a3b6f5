// A FlashPix image object: its resolutions, JPEG tables and decompressed-tile cache, and the
// decoding of regions of any resolution into a caller's buffer.
#pragma once

#include "DecodedTile.h"
#include "NIFJPEGer.h"
#include "NIFResolutionary.h"
#include "NIFToolkit.h"
#include "TileCache.h"

#include <memory>
#include <vector>

class NIFImage {
public:
    static constexpr int kMaxLevels = 24;

    // Opens the image object in storage; on failure the error is recorded.
    static int Open(const NIFStorage& storage, std::unique_ptr<NIFImage>* out);

    int levels() const { return static_cast<int>(levels_.size()); }
    const NIFResolutionary& level(int n) const { return *levels_[n]; }
    const NIFResolutionary& full() const { return *levels_.back(); }
    NIFStorage& storage() { return storage_; }
    const nif::TileCache& cache() const { return cache_; }

    // Decodes the rectangle [left, right) x [top, bottom), in full-size pixels, of the level.
    int readRegion(long left, long top, long right, long bottom, int level, const NIFDestination& destination,
                   NIFProgressFunc progress);

private:
    // The tiles [next, end) of a level that the JPEG decoder's current run holds. A run lies
    // within one row of a region, whose tiles are decoded in order, and ends with its last tile
    // or its first failure.
    struct Run {
        int level = -1;
        uint32_t next = 0;
        uint32_t end = 0;
    };

    explicit NIFImage(const NIFStorage& storage) : storage_(storage) {}
    int loadContents();
    int loadJpegTables(const NIFPropSection& contents);
    // rowEnd: the tile after the last one of the region's row, up to which a run may reach.
    int readAndDecompressTile(int level, uint32_t tile, uint32_t rowEnd, const uint8_t** pixels);
    int readIntoWorkBuffer(NIFResolutionary& r, uint32_t tile);
    int decompress(int level, uint32_t tile, uint32_t rowEnd, uint8_t* pixels);
    int decompressJpeg(int level, uint32_t tile, uint32_t rowEnd, uint8_t* pixels);
    void startRun(int level, uint32_t tile, uint32_t rowEnd);

    NIFStorage storage_;
    std::vector<std::unique_ptr<NIFResolutionary>> levels_;
    NIFJPEGer jpeg_;
    Run run_;
    std::vector<NIFJPEGer::TileStream> runTiles_;
    nif::TileCache cache_;
    std::vector<uint8_t> jpegBuffer_;
    // A decoded tile that the cache has no room for.
    uint8_t uncached_[nif::DecodedTileBytes(4)];
};
