// Decompressed tiles of an open image, kept within a fixed budget so that neighbouring regions
// do not decode a tile twice. Tiles are added while the budget allows and never evicted, so
// they are laid out one after another in one block of the budget's size. The block is taken
// when the first tile comes and handed to the toolkit state when the image goes, for the next
// image: fresh memory costs a page fault per page on first use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace nif {

class TileCache {
public:
    static constexpr size_t kBudget = 0x200000;

    TileCache() = default;
    TileCache(const TileCache&) = delete;
    TileCache& operator=(const TileCache&) = delete;
    ~TileCache();

    // The tile's pixels, or nullptr; counts a hit or a miss.
    const uint8_t* find(int level, uint32_t tile);
    // Whether the tile is held, without counting.
    bool holds(int level, uint32_t tile) const { return tiles_.count(key(level, tile)) != 0; }
    // Room for a tile about to be decoded, or nullptr when it would exceed the budget (or
    // memory is short). A tile given room that then fails to decode is given up before the
    // next claim.
    uint8_t* claim(int level, uint32_t tile, size_t bytes);
    void giveUpLastClaim();

    uint32_t hits() const { return hits_; }
    uint32_t misses() const { return misses_; }
    size_t bytes() const { return bytes_; }

private:
    static uint64_t key(int level, uint32_t tile) { return uint64_t(uint32_t(level)) << 32 | tile; }

    std::unique_ptr<uint8_t[]> block_;
    std::unordered_map<uint64_t, size_t> tiles_;   // where each tile starts in the block
    uint64_t lastClaim_ = 0;
    size_t bytes_ = 0;
    uint32_t hits_ = 0;
    uint32_t misses_ = 0;
};

}  // namespace nif
