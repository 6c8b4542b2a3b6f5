// Card images for the simulator, the same for the same seed: albums named by an "ALBUM.CTL",
// JPEG and FlashPix pictures at both resolutions with painted content, album pictures (.ODC), and
// odd entries (hidden and system files, a file without a date, a damaged picture, a name the camera
// cannot show).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace pvsim {

// Replaces MEMORY, PCCARD and .pvcard under `out` with a new image. With `sources`, each picture's
// source pixels are also written there as a binary PPM named like the picture ("PV000001.ppm").
// Error text or "".
std::string generateCard(const std::filesystem::path& out, uint64_t seed, const std::filesystem::path& sources = {});

}  // namespace pvsim
