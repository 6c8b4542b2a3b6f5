// CRC-32 as zip and PNG compute it (reflected polynomial 0xEDB88320), for the backup manifest.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pvcam {

uint32_t Crc32(const uint8_t* data, size_t size);

}  // namespace pvcam
