#include "TileCache.h"

#include <new>

namespace nif {

const std::vector<uint8_t>* TileCache::find(int level, uint32_t tile) {
    auto it = tiles_.find(key(level, tile));
    if (it == tiles_.end()) {
        ++misses_;
        return nullptr;
    }
    ++hits_;
    return &it->second;
}

const std::vector<uint8_t>* TileCache::add(int level, uint32_t tile, std::vector<uint8_t>& pixels) {
    if (bytes_ + pixels.size() > kBudget) return &pixels;
    try {
        std::vector<uint8_t>& kept = tiles_[key(level, tile)];
        kept = pixels;
        bytes_ += kept.size();
        return &kept;
    } catch (const std::bad_alloc&) {
        return &pixels;
    }
}

}  // namespace nif
