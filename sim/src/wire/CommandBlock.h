// The host's 8-byte command block: code, 0, four argument bytes, 0, 0x1A.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pvsim {

struct CommandBlock {
    std::array<uint8_t, 8> raw{};

    uint8_t code() const { return raw[0]; }
    uint8_t arg(int i) const { return raw[1 + i]; }   // argument bytes 1 to 4
    uint32_t arg16() const { return uint32_t(raw[2]) << 8 | raw[3]; }
    uint32_t arg32() const { return uint32_t(raw[2]) << 24 | uint32_t(raw[3]) << 16 | uint32_t(raw[4]) << 8 | raw[5]; }
    bool framed() const { return raw[7] == 0x1A; }
    // Empty when the block is well formed, else what is wrong with it.
    std::string defect() const;
};

}  // namespace pvsim
