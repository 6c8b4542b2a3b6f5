// Little-endian numbers in byte buffers, as FlashPix and OLE property sets store them.
#pragma once

#include <cstdint>

namespace nif {

inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t LoadU32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
inline uint64_t LoadU64(const uint8_t* p) { return LoadU32(p) | uint64_t(LoadU32(p + 4)) << 32; }
inline void StoreU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void StoreU32(uint8_t* p, uint32_t v) {
    StoreU16(p, static_cast<uint16_t>(v));
    StoreU16(p + 2, static_cast<uint16_t>(v >> 16));
}

}  // namespace nif
