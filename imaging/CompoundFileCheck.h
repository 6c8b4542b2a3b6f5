// A bounded check of an OLE compound file's structure before the platform's storage code reads
// it: every sector chain in range and free of cycles, every directory entry and its tree sound,
// every stream covered by its chain. Damaged files are refused here rather than trusted there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace nif {

// Empty when the structure is sound; otherwise what is wrong.
std::string CheckCompoundFile(const uint8_t* data, size_t size);

}  // namespace nif
