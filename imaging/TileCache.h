// Decompressed tiles of an open image, kept within a fixed budget so that neighbouring regions
// do not decode a tile twice. Tiles are added while the budget allows and never evicted, so
// they are laid out one after another in one block of the budget's size. The block is taken
// when the first tile comes and handed to the toolkit state when the image goes, for the next
// image: fresh memory costs a page fault per page on first use.
//
// The threads that decode the rows of a region use the cache at once. A tile is found only
// once the thread that claimed it has said it is ready; until then another thread misses it
// and decodes its own copy outside the cache.
#pragma once

#include "SlimLock.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace nif {

class TileCache {
public:
    static constexpr size_t kBudget = 0x200000;

    TileCache() = default;
    TileCache(const TileCache&) = delete;
    TileCache& operator=(const TileCache&) = delete;
    ~TileCache();

    // The ready tile's pixels, or nullptr; counts a hit or a miss.
    const uint8_t* find(int level, uint32_t tile);
    // Whether the tile is held or claimed, without counting.
    bool holds(int level, uint32_t tile) const;
    // Room for a tile about to be decoded, or nullptr when it is claimed already or would
    // exceed the budget (or memory is short). A tile given room is then made ready, or given
    // up when it fails to decode.
    uint8_t* claim(int level, uint32_t tile, size_t bytes);
    void makeReady(int level, uint32_t tile);
    void giveUp(int level, uint32_t tile);

    uint32_t hits() const;
    uint32_t misses() const;
    size_t bytes() const;

private:
    struct Slot {
        size_t at;
        size_t bytes;
        bool ready;
    };

    static uint64_t key(int level, uint32_t tile) { return uint64_t(uint32_t(level)) << 32 | tile; }
    uint8_t* reuseGivenUp(uint64_t key, size_t bytes);
    bool haveBlock();

    mutable SlimLock lock_;
    std::unique_ptr<uint8_t[]> block_;
    std::unordered_map<uint64_t, Slot> tiles_;
    // Room of tiles given up below others, for the next tile of the same size.
    std::vector<Slot> givenUp_;
    size_t bytes_ = 0;
    uint32_t hits_ = 0;
    uint32_t misses_ = 0;
};

}  // namespace nif
