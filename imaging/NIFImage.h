// A FlashPix image object: its resolutions, JPEG tables and decompressed-tile cache, and the
// decoding of regions of any resolution into a caller's buffer.
#pragma once

#include "NIFResolutionary.h"
#include "NIFToolkit.h"
#include "RegionWriter.h"
#include "TileCache.h"
#include "TileDecoder.h"

#include <map>
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
    // A region in a level's pixels, [x0, x1) x [y0, y1), and its columns of tiles [tx0, tx1].
    struct Area {
        long x0, y0, x1, y1, tx0, tx1;
    };

    explicit NIFImage(const NIFStorage& storage) : storage_(storage) {}
    int loadContents();
    int loadJpegTables(const NIFPropSection& contents);
    // How many threads decode a region of rows tile rows of the level, with a decoder ready
    // for each.
    int threadsFor(int level, long rows);
    int decodeTileRow(nif::TileDecoder& decoder, const nif::RegionWriter& writer, int level, const Area& area, long ty);

    NIFStorage storage_;
    nif::TileDecoder::Levels levels_;
    std::map<uint32_t, std::vector<uint8_t>> jpegTables_;
    nif::TileCache cache_;
    // One a decoding thread, the calling thread's first.
    std::vector<std::unique_ptr<nif::TileDecoder>> decoders_;
    // A read is under way: a read from within its progress callback decodes on the calling
    // thread alone, since the helpers still use the other decoders.
    bool reading_ = false;
};
