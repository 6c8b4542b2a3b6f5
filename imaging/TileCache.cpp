#include "TileCache.h"

#include "ToolkitState.h"

#include <mutex>
#include <new>

namespace nif {

TileCache::~TileCache() {
    if (ToolkitState* state = ToolkitState::Get())
        if (block_ && !state->spareCacheBlock()) state->spareCacheBlock() = std::move(block_);
}

const uint8_t* TileCache::find(int level, uint32_t tile) {
    std::lock_guard<SlimLock> hold(lock_);
    auto it = tiles_.find(key(level, tile));
    if (it == tiles_.end() || !it->second.ready) {
        ++misses_;
        return nullptr;
    }
    ++hits_;
    return block_.get() + it->second.at;
}

bool TileCache::holds(int level, uint32_t tile) const {
    std::lock_guard<SlimLock> hold(lock_);
    return tiles_.count(key(level, tile)) != 0;
}

bool TileCache::haveBlock() {
    if (block_) return true;
    ToolkitState* state = ToolkitState::Get();
    if (state && state->spareCacheBlock())
        block_ = std::move(state->spareCacheBlock());
    else
        block_.reset(new (std::nothrow) uint8_t[kBudget]);
    return block_ != nullptr;
}

uint8_t* TileCache::reuseGivenUp(uint64_t k, size_t bytes) {
    for (auto it = givenUp_.begin(); it != givenUp_.end(); ++it) {
        if (it->bytes != bytes) continue;
        const Slot slot = *it;
        tiles_[k] = {slot.at, slot.bytes, false};
        givenUp_.erase(it);
        return block_.get() + slot.at;
    }
    return nullptr;
}

// The pixels are left as the block has them: the decoder writes every one of them.
uint8_t* TileCache::claim(int level, uint32_t tile, size_t bytes) {
    std::lock_guard<SlimLock> hold(lock_);
    if (tiles_.count(key(level, tile))) return nullptr;
    try {
        if (uint8_t* room = reuseGivenUp(key(level, tile), bytes)) return room;
        if (bytes_ + bytes > kBudget || !haveBlock()) return nullptr;
        tiles_[key(level, tile)] = {bytes_, bytes, false};
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    uint8_t* at = block_.get() + bytes_;
    bytes_ += bytes;
    return at;
}

void TileCache::makeReady(int level, uint32_t tile) {
    std::lock_guard<SlimLock> hold(lock_);
    auto it = tiles_.find(key(level, tile));
    if (it != tiles_.end()) it->second.ready = true;
}

// The top tile's room goes back to the free end of the block; any other's (another thread
// claimed above it meanwhile) waits for the next tile of its size. Short of memory for that
// note, the room is only lost until the image closes.
void TileCache::giveUp(int level, uint32_t tile) {
    std::lock_guard<SlimLock> hold(lock_);
    auto it = tiles_.find(key(level, tile));
    if (it == tiles_.end()) return;
    const Slot slot = it->second;
    tiles_.erase(it);
    if (slot.at + slot.bytes == bytes_) {
        bytes_ = slot.at;
        return;
    }
    try {
        givenUp_.push_back(slot);
    } catch (const std::bad_alloc&) {
    }
}

uint32_t TileCache::hits() const {
    std::lock_guard<SlimLock> hold(lock_);
    return hits_;
}

uint32_t TileCache::misses() const {
    std::lock_guard<SlimLock> hold(lock_);
    return misses_;
}

size_t TileCache::bytes() const {
    std::lock_guard<SlimLock> hold(lock_);
    return bytes_;
}

}  // namespace nif
