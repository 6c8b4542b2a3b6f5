// The file ".pvcard" at the root of a card image folder: what a plain folder cannot say about a
// memory card. Lines:
//   capacity BYTES          size of the card (default 8 MiB)
//   formatted 0|1           an unformatted card holds no file system (default 1)
//   attr HEX PATH           FAT attribute bits (0x02 hidden, 0x04 system) of PATH, relative to the
//                           image root with "/" separators, e.g. "attr 02 PCCARD/DCIMAGES/NOTES.TXT"
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace pvsim {

struct CardManifest {
    static constexpr const char* kFileName = ".pvcard";

    uint64_t capacity = 8u << 20;
    bool formatted = true;
    std::map<std::string, uint8_t> attributes;   // upper-case relative path -> bits

    bool load(const std::filesystem::path& root, std::string& error);
    bool save(const std::filesystem::path& root) const;
};

}  // namespace pvsim
