#include "TileCache.h"

#include "ToolkitState.h"

#include <new>

namespace nif {

TileCache::~TileCache() {
    if (ToolkitState* state = ToolkitState::Get())
        if (block_ && !state->spareCacheBlock()) state->spareCacheBlock() = std::move(block_);
}

const uint8_t* TileCache::find(int level, uint32_t tile) {
    auto it = tiles_.find(key(level, tile));
    if (it == tiles_.end()) {
        ++misses_;
        return nullptr;
    }
    ++hits_;
    return block_.get() + it->second;
}

// The pixels are left as the block has them: the decoder writes every one of them.
uint8_t* TileCache::claim(int level, uint32_t tile, size_t bytes) {
    if (bytes_ + bytes > kBudget) return nullptr;
    if (!block_) {
        ToolkitState* state = ToolkitState::Get();
        if (state && state->spareCacheBlock())
            block_ = std::move(state->spareCacheBlock());
        else
            block_.reset(new (std::nothrow) uint8_t[kBudget]);
        if (!block_) return nullptr;
    }
    try {
        tiles_[key(level, tile)] = bytes_;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    lastClaim_ = key(level, tile);
    uint8_t* at = block_.get() + bytes_;
    bytes_ += bytes;
    return at;
}

void TileCache::giveUpLastClaim() {
    auto it = tiles_.find(lastClaim_);
    if (it == tiles_.end()) return;
    bytes_ = it->second;
    tiles_.erase(it);
}

}  // namespace nif
