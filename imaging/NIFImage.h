// A FlashPix image object: its resolutions, JPEG tables and decompressed-tile cache, and the
// decoding of regions of any resolution into a caller's buffer.
#pragma once

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
    explicit NIFImage(const NIFStorage& storage) : storage_(storage) {}
    int loadContents();
    int loadJpegTables(const NIFPropSection& contents);
    int readAndDecompressTile(int level, uint32_t tile, const std::vector<uint8_t>** pixels);
    int decompress(NIFResolutionary& r, uint32_t tile, std::vector<uint8_t>& pixels);

    NIFStorage storage_;
    std::vector<std::unique_ptr<NIFResolutionary>> levels_;
    NIFJPEGer jpeg_;
    nif::TileCache cache_;
    std::vector<uint8_t> jpegBuffer_;
    std::vector<uint8_t> decoded_;
};
