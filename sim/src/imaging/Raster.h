// An 8-bit RGB picture, rows top to bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pvsim {

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;   // width * height * 3

    Raster() = default;
    Raster(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3) {}
    uint8_t* at(int x, int y) { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

// Box-filtered reduction (or nearest-pixel enlargement) to the given size.
Raster resize(const Raster& src, int width, int height);

}  // namespace pvsim
