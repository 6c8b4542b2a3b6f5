// Decompressed tiles of an open image, kept within a fixed budget so that neighbouring regions
// do not decode a tile twice. Tiles are added while the budget allows and never evicted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace nif {

class TileCache {
public:
    static constexpr size_t kBudget = 0x200000;

    // The tile's pixels, or nullptr; counts a hit or a miss.
    const std::vector<uint8_t>* find(int level, uint32_t tile);
    // Keeps the pixels when they fit in the budget; answers where they are held either way.
    const std::vector<uint8_t>* add(int level, uint32_t tile, std::vector<uint8_t>& pixels);

    uint32_t hits() const { return hits_; }
    uint32_t misses() const { return misses_; }
    size_t bytes() const { return bytes_; }

private:
    static uint64_t key(int level, uint32_t tile) { return uint64_t(uint32_t(level)) << 32 | tile; }

    std::unordered_map<uint64_t, std::vector<uint8_t>> tiles_;
    size_t bytes_ = 0;
    uint32_t hits_ = 0;
    uint32_t misses_ = 0;
};

}  // namespace nif
