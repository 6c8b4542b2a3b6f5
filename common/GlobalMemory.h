// Global memory blocks: an owned block, freed when it goes unless handed on, and a lock that
// gives its bytes for a scope.
#pragma once

#include <windows.h>

#include <utility>

namespace pv {

class GlobalBlock {
public:
    GlobalBlock() = default;
    explicit GlobalBlock(HGLOBAL block) : block_(block) {}
    // A new block of the given size and flags (GMEM_MOVEABLE, GMEM_ZEROINIT, ...); empty when
    // there is no memory.
    static GlobalBlock alloc(UINT flags, SIZE_T size) { return GlobalBlock(GlobalAlloc(flags, size)); }
    ~GlobalBlock() { reset(); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    GlobalBlock(GlobalBlock&& other) noexcept : block_(other.release()) {}
    GlobalBlock& operator=(GlobalBlock&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    HGLOBAL get() const { return block_; }
    explicit operator bool() const { return block_ != nullptr; }
    // Ownership goes to the caller (a data object's medium, a TWAIN application).
    HGLOBAL release() { return std::exchange(block_, nullptr); }
    void reset(HGLOBAL block = nullptr) {
        if (HGLOBAL old = std::exchange(block_, block)) GlobalFree(old);
    }

private:
    HGLOBAL block_ = nullptr;
};

// The bytes of a block for as long as the lock lives; data() is null when the lock failed.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), data_(block ? ::GlobalLock(block) : nullptr) {}
    ~LockedGlobal() {
        if (data_) ::GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;

    void* data() const { return data_; }
    template <typename T>
    T* as() const { return static_cast<T*>(data_); }
    SIZE_T size() const { return data_ ? GlobalSize(block_) : 0; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    HGLOBAL block_;
    void* data_;
};

}  // namespace pv
