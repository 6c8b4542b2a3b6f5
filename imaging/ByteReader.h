// Bounded reading of little-endian numbers from a byte range: every read past the end fails.
#pragma once

#include "ByteOrder.h"

#include <cstddef>

namespace nif {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t position() const { return position_; }
    size_t remaining() const { return size_ - position_; }
    const uint8_t* here() const { return data_ + position_; }

    bool seek(size_t position) {
        if (position > size_) return false;
        position_ = position;
        return true;
    }
    bool skip(size_t count) { return count <= remaining() && seek(position_ + count); }
    bool align4() { return skip((4 - position_ % 4) % 4) || seek(size_); }
    bool u8(uint8_t* v) { return read(v, 1, [](const uint8_t* p) { return *p; }); }
    bool u16(uint16_t* v) { return read(v, 2, LoadU16); }
    bool u32(uint32_t* v) { return read(v, 4, LoadU32); }
    bool u64(uint64_t* v) { return read(v, 8, LoadU64); }

private:
    template <typename T, typename Load>
    bool read(T* v, size_t width, Load load) {
        if (width > remaining()) return false;
        *v = load(here());
        position_ += width;
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

}  // namespace nif
