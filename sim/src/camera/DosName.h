// FAT 8.3 names and the camera's 20-byte directory entries.
#pragma once

#include "Bytes.h"

#include <ctime>
#include <string>

namespace pvsim {

// Upper-case 8.3 form of a name, or "" when the camera could not store it.
std::string dosName(const std::string& name);
// DOS-style pattern ("*.ODC", "PV??????.*") against an 8.3 name, without regard to case.
bool matchesPattern(const std::string& pattern, const std::string& name);
bool isPattern(const std::string& s);

struct EntryFacts {
    std::string name;      // "NAME.EXT", "NAME", "." or ".."
    uint8_t attributes = 0;
    std::time_t modified = 0;
    uint32_t size = 0;
};

// Name (8, blank padded), extension (3), attributes, DOS time and date (big-endian; 0 before 1980),
// size (big-endian).
void encodeEntry(const EntryFacts& e, uint8_t* out20);

}  // namespace pvsim
