// Big-endian numbers and checksums as they travel on the camera wire.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pvsim {

using Bytes = std::vector<uint8_t>;

inline void putBe16(uint8_t* p, uint32_t v) { p[0] = uint8_t(v >> 8); p[1] = uint8_t(v); }
inline void putBe32(uint8_t* p, uint32_t v) { putBe16(p, v >> 16); putBe16(p + 2, v); }
inline uint32_t getBe16(const uint8_t* p) { return uint32_t(p[0]) << 8 | p[1]; }
inline uint32_t getBe32(const uint8_t* p) { return getBe16(p) << 16 | getBe16(p + 2); }

inline uint8_t xorOf(const uint8_t* p, size_t n) {
    uint8_t x = 0;
    for (size_t i = 0; i < n; ++i) x ^= p[i];
    return x;
}

}  // namespace pvsim
