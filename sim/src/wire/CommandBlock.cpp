#include "CommandBlock.h"

#include "HexCodec.h"

namespace pvsim {

std::string CommandBlock::defect() const {
    if (raw[1] == 0 && raw[6] == 0 && raw[7] == 0x1A) return "";
    return "malformed command block " + pvpty::encodeHex(raw.data(), raw.size());
}

}  // namespace pvsim
